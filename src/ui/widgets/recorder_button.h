// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;

// A button that shows a key combination and, once clicked, records the next one typed.
// While recording: Escape, a second click or losing focus cancel and keep the combination
// shown; a key without Ctrl, Alt, Shift or Super, a key with no stored code, and A (whose code
// 0 means "nothing recorded") are refused with a beep and recording goes on; any other key
// with at least one of those modifiers is committed.
class RecorderButton : public QPushButton
{
    Q_OBJECT

public:
    using CommitHandler = std::function<void(std::uint32_t keyCode, std::uint32_t modifiers)>;

    explicit RecorderButton(QWidget* parent = nullptr);

    // Called with the macOS key code and the Carbon mask of each committed combination.
    void setOnCommit(CommitHandler handler) { m_onCommit = std::move(handler); }
    // What a refused key sounds like; the application's alert beep unless replaced.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    std::uint32_t currentKeyCode() const { return m_currentKeyCode; }
    std::uint32_t currentModifiers() const { return m_currentModifiers; }
    bool isRecording() const { return m_isRecording; }

    // Shows another combination without committing it.
    void setCombination(std::uint32_t keyCode, std::uint32_t modifiers);
    void toggleRecord();
    void updateTitle();

    static QString recordingTitle();
    static QString unsetTitle();

    // The stored key code of a key event: by its Latin letter or digit, else by the place of
    // the physical key where the platform reports it (a Cyrillic letter is the US key at its
    // place, Shift+1 the 1 key), else by Qt's key.
    static std::optional<std::uint32_t> keyCodeForEvent(const QKeyEvent& event);

Q_SIGNALS:
    // Lets the owner pause global hotkeys, which would otherwise swallow a combination already
    // in use before it reaches this button.
    void recordingChanged(bool recording);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setRecording(bool recording);
    void recordKey(const QKeyEvent& event);

    CommitHandler m_onCommit;
    std::function<void()> m_beep;
    std::uint32_t m_currentKeyCode = 0;
    std::uint32_t m_currentModifiers = 0;
    bool m_isRecording = false;
};
