// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QLabel;

// About Brisvane: the version, the licence and where the accounts and settings are kept.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    // `settingsFile` is the path of the preferences file shown under storage.
    explicit AboutWindow(const QString& settingsFile, QWidget* parent = nullptr);

    // Shows the window and brings it to the front.
    void present();

    QLabel* versionLabel() const { return m_version; }
    QLabel* storageLabel() const { return m_storage; }

private:
    QLabel* m_version = nullptr;
    QLabel* m_storage = nullptr;
};
