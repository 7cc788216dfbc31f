// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/recorder_button.h"

#include "hotkeys/key_names.h"
#include "platform/key_codes.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>

namespace {

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

// Only these platforms report the XKB keycode of the physical key as the native scan code.
bool platformReportsXkbKeycodes()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

QFont titleFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFont standard = QApplication::font();
    if (standard.pointSizeF() > 0)
        font.setPointSizeF(standard.pointSizeF());
    font.setWeight(QFont::Medium);
    return font;
}

} // namespace

RecorderButton::RecorderButton(QWidget* parent) : QPushButton(parent), m_beep([] { QApplication::beep(); })
{
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::clicked, this, &RecorderButton::toggleRecord);
    updateTitle();
}

QString RecorderButton::recordingTitle()
{
    return tr("Press a key combo…");
}

QString RecorderButton::unsetTitle()
{
    return tr("Click to set");
}

void RecorderButton::setCombination(std::uint32_t keyCode, std::uint32_t modifiers)
{
    m_currentKeyCode = keyCode;
    m_currentModifiers = modifiers;
    updateTitle();
}

void RecorderButton::updateTitle()
{
    if (m_isRecording)
        setText(recordingTitle());
    else if (m_currentKeyCode != 0)
        setText(comboDisplayString(m_currentKeyCode, m_currentModifiers));
    else
        setText(unsetTitle());
    setFont(titleFont());
}

void RecorderButton::toggleRecord()
{
    setRecording(!m_isRecording);
    if (m_isRecording)
        setFocus(Qt::OtherFocusReason);
    else
        clearFocus();
}

void RecorderButton::setRecording(bool recording)
{
    const bool changed = recording != m_isRecording;
    m_isRecording = recording;
    updateTitle();
    if (changed)
        Q_EMIT recordingChanged(recording);
}

bool RecorderButton::event(QEvent* event)
{
    if (m_isRecording) {
        // Every key belongs to the recording: no application shortcut fires and Tab does not
        // move the focus away.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return QPushButton::event(event);
}

void RecorderButton::keyPressEvent(QKeyEvent* event)
{
    if (!m_isRecording) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    recordKey(*event);
}

void RecorderButton::recordKey(const QKeyEvent& event)
{
    const auto keyCode = keyCodeForEvent(event);
    if (event.key() == Qt::Key_Escape || keyCode == MacKeyCode::escape) {
        setRecording(false);
        return;
    }
    if (isModifierKey(event.key())) {
        update();
        return;
    }
    if (event.isAutoRepeat())
        return; // one beep per refused press is enough
    const std::uint32_t mask = carbonModifiers(event.modifiers());
    if (mask == 0 || !keyCode || *keyCode == MacKeyCode::a) {
        if (m_beep)
            m_beep();
        return;
    }
    m_currentKeyCode = *keyCode;
    m_currentModifiers = mask;
    setRecording(false);
    if (m_onCommit)
        m_onCommit(*keyCode, mask);
}

void RecorderButton::keyReleaseEvent(QKeyEvent* event)
{
    if (m_isRecording) {
        event->accept();
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

void RecorderButton::focusOutEvent(QFocusEvent* event)
{
    if (m_isRecording)
        setRecording(false);
    QPushButton::focusOutEvent(event);
}

std::optional<std::uint32_t> RecorderButton::keyCodeForEvent(const QKeyEvent& event)
{
    const std::uint32_t keycode = platformReportsXkbKeycodes() ? event.nativeScanCode() : 0;
    return macKeyCodeForKeyEvent(event.key(), event.modifiers(), keycode);
}
