// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/migration_codes_window.h"

#include "import/formats/private_file.h"
#include "platform/qr_encoder.h"
#include "ui/widgets/label_factory.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int moduleSize = 6;

QString leftOutText(const QList<SkippedEntry>& leftOut)
{
    QStringList lines;
    for (const SkippedEntry& entry : leftOut)
        lines.append(QStringLiteral("%1: %2").arg(entry.label, entry.reason));
    return MigrationCodesWindow::tr("Not in these codes, as Google Authenticator cannot take them:\n%1")
        .arg(lines.join(u'\n'));
}

} // namespace

MigrationCodesWindow::MigrationCodesWindow(const QStringList& links, const QList<SkippedEntry>& leftOut,
                                           const QREncoder& encoder, SaveNameQuestion askSaveName,
                                           QWidget* parent)
    : QDialog(parent), m_askSaveName(std::move(askSaveName))
{
    setWindowTitle(tr("Google Authenticator QR Codes"));
    for (const QString& link : links)
        m_images.append(encoder.encodeQR(link, moduleSize));
    auto* column = new QVBoxLayout(this);
    column->addWidget(textLabel(tr("In Google Authenticator choose Transfer accounts, Import accounts, and "
                                   "scan each code in turn. Anyone who sees these codes can generate your "
                                   "codes."),
                                {.wrap = true}, this));
    m_position = new QLabel(this);
    m_position->setAlignment(Qt::AlignCenter);
    column->addWidget(m_position);
    m_image = new QLabel(this);
    m_image->setAlignment(Qt::AlignCenter);
    column->addWidget(m_image, 1);
    auto* steps = new QHBoxLayout;
    m_previous = new QPushButton(tr("Previous"), this);
    m_next = new QPushButton(tr("Next"), this);
    steps->addWidget(m_previous);
    steps->addStretch(1);
    steps->addWidget(m_next);
    column->addLayout(steps);
    m_leftOut = textLabel(leftOutText(leftOut), {.wrap = true}, this);
    m_leftOut->setVisible(!leftOut.isEmpty());
    column->addWidget(m_leftOut);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* save = buttons->addButton(tr("Save as PNG…"), QDialogButtonBox::ActionRole);
    save->setEnabled(!m_images.isEmpty());
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &MigrationCodesWindow::saveAsPng);
    connect(m_previous, &QPushButton::clicked, this, [this] { showCode(m_index - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showCode(m_index + 1); });
    // Shortcuts, because a focused button would take the arrow keys to move the focus.
    for (const auto& [key, delta] : {std::pair{Qt::Key_Left, -1}, std::pair{Qt::Key_PageUp, -1},
                                     std::pair{Qt::Key_Right, 1}, std::pair{Qt::Key_PageDown, 1}}) {
        const int step = delta; // clang cannot capture a structured binding
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, step] { showCode(m_index + step); });
    }
    showCode(0);
}

void MigrationCodesWindow::showCode(int index)
{
    const auto count = static_cast<int>(m_images.size());
    m_index = std::clamp(index, 0, std::max(count - 1, 0));
    m_previous->setEnabled(m_index > 0);
    m_next->setEnabled(m_index + 1 < count);
    if (count == 0) {
        m_position->setText(tr("No account can be exported in this format."));
        m_image->clear();
        return;
    }
    m_position->setText(tr("Code %1 of %2").arg(m_index + 1).arg(count));
    const QImage& image = m_images[m_index];
    if (image.isNull())
        m_image->setText(tr("This code is too large to draw."));
    else
        m_image->setPixmap(QPixmap::fromImage(image));
}

void MigrationCodesWindow::saveAsPng()
{
    const QString base = m_askSaveName(this);
    if (base.isEmpty())
        return;
    if (const std::optional<FileWriteError> error = writeNumberedPngs(base, m_images))
        QMessageBox::warning(this, tr("Export Failed"),
                             tr("Could not write %1: %2.").arg(error->path, error->reason));
}
