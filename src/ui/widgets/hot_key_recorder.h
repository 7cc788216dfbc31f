// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QUuid>
#include <cstdint>
#include <functional>

class AppSettings;
class QWidget;
class RecorderButton;

// Keeps a RecorderButton two-way bound to one stored combination: the button shows the
// bound values and a committed recording is written back. The recorder is owned by its button.
class HotKeyRecorder : public QObject
{
    Q_OBJECT

public:
    struct Combination
    {
        std::uint32_t keyCode = 0;
        std::uint32_t modifiers = 0;
        bool operator==(const Combination&) const = default;
    };
    using Read = std::function<Combination()>;
    using Write = std::function<void(Combination)>;

    // A button bound to any pair of values; call synchronise() whenever they change.
    static HotKeyRecorder* create(Read read, Write write, QWidget* parent = nullptr);
    // A button bound to the binding with this id in the settings, following their changes.
    // A recorded combination replaces the binding's key code and mask in one write.
    static HotKeyRecorder* forBinding(AppSettings& settings, const QUuid& bindingID,
                                      QWidget* parent = nullptr);

    RecorderButton* button() const { return m_button; }

    // Copies the bound values into the button unless it is recording or already shows them.
    void synchronise();

private:
    HotKeyRecorder(RecorderButton* button, Read read, Write write);

    RecorderButton* m_button;
    Read m_read;
    Write m_write;
};
