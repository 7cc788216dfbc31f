// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "ui/add_account/add_mode.h"

#include <QDialog>
#include <QList>
#include <functional>

class AddAccountModel;
class AddAccountSegmentedControl;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QRImporter;
class QSpinBox;
class QStackedWidget;

// The add-account dialog: scan the screens for QR codes, read them from an image file,
// paste a setup link or export link, or type a key by hand.
//
//   AddAccountDialog dialog(importer, [&store](const QList<Account>& accounts) {
//       store.addAccounts(accounts);
//   }, mainWindow);
//   dialog.exec();
//
// `importer` reads the QR codes (the real one is wired in main.cpp) and must outlive the
// dialog. `onAdd` is called at most once, with a non-empty list, when an action succeeds;
// the dialog then closes with Accepted. Cancel, the Escape key and closing the window end it
// with Rejected and without calling onAdd; a screen scan still waiting to start is dropped.
// Failures stay in the dialog's status line and keep everything entered.
//
// Keyboard: Ctrl+1 to Ctrl+4 pick a mode and put the focus on its first field. Return runs
// the primary action; so does Ctrl+Return, also inside the link area, where Return breaks lines.
class AddAccountDialog : public QDialog
{
    Q_OBJECT
public:
    using AddAction = std::function<void(const QList<Account>&)>;
    // Asks for one existing image file; an empty result means the user cancelled.
    using ImageFileChooser = std::function<QString(QWidget* parent)>;

    AddAccountDialog(QRImporter& importer, AddAction onAdd, QWidget* parent = nullptr);
    ~AddAccountDialog() override;

    AddAccountModel& model() { return *m_model; }
    // Replaces the system file dialog, for tests.
    void setImageFileChooser(ImageFileChooser chooser);
    // Switches to Paste link with the text in place; the user still confirms with Add.
    Q_INVOKABLE void presetLink(const QString& link);
    // How far the accounts added from this dialog have been written (AddAccountModel::showStoring).
    Q_INVOKABLE void showAddProgress(int done, int total);

    void reject() override;

private:
    QWidget* buildHeader();
    QWidget* buildModeSelector();
    QWidget* buildScanPanel();
    QWidget* buildImagePanel();
    QWidget* buildPastePanel();
    QWidget* buildManualPanel();
    QWidget* buildFooter();
    void installShortcuts();
    void selectModeFromKeyboard(AddMode mode);
    void runPrimaryAction();
    void syncFromModel();
    void showStatus(const AddAccountModel& model);
    void fitContent();

    AddAccountModel* m_model;
    ImageFileChooser m_chooseImageFile;

    AddAccountSegmentedControl* m_modeSelector = nullptr;
    QStackedWidget* m_panels = nullptr;
    QLabel* m_status = nullptr;
    QScrollArea* m_content = nullptr;
    int m_shownReports = 0;
    QPushButton* m_primary = nullptr;
    QProgressBar* m_busy = nullptr;
    QPlainTextEdit* m_linkEdit = nullptr;
    QLineEdit* m_issuerEdit = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_secretEdit = nullptr;
    AddAccountSegmentedControl* m_typeSelector = nullptr;
    AddAccountSegmentedControl* m_algorithmSelector = nullptr;
    AddAccountSegmentedControl* m_digitsSelector = nullptr;
    QLabel* m_periodCaption = nullptr;
    QSpinBox* m_periodSpin = nullptr;
};
