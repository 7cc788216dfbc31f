// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/formats/import_outcome.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <QStringList>
#include <functional>

class QLabel;
class QPushButton;
class QREncoder;

// Google Authenticator's export codes, one after the other ("Code 2 of 3", Previous and Next,
// or the arrow keys), for a phone to scan; the accounts that format cannot carry are named
// under them. "Save as PNG…" writes every code as NAME-1.png, NAME-2.png, ...
class MigrationCodesWindow : public QDialog
{
    Q_OBJECT
public:
    // Asks where to save; an empty answer cancels.
    using SaveNameQuestion = std::function<QString(QWidget* parent)>;

    MigrationCodesWindow(const QStringList& links, const QList<SkippedEntry>& leftOut,
                         const QREncoder& encoder, SaveNameQuestion askSaveName, QWidget* parent = nullptr);

    int currentIndex() const { return m_index; }
    qsizetype codeCount() const { return m_images.size(); }
    void showCode(int index);
    void saveAsPng();

    QLabel* codeImage() const { return m_image; }
    QLabel* position() const { return m_position; }
    QLabel* leftOutNote() const { return m_leftOut; }
    QPushButton* previousButton() const { return m_previous; }
    QPushButton* nextButton() const { return m_next; }

private:
    QList<QImage> m_images;
    int m_index = 0;
    SaveNameQuestion m_askSaveName;
    QLabel* m_position = nullptr;
    QLabel* m_image = nullptr;
    QLabel* m_leftOut = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
};
