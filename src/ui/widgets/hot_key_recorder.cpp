// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/hot_key_recorder.h"

#include "settings/app_settings.h"
#include "ui/widgets/recorder_button.h"

#include <QPointer>
#include <algorithm>

HotKeyRecorder::HotKeyRecorder(RecorderButton* button, Read read, Write write)
    : QObject(button), m_button(button), m_read(std::move(read)), m_write(std::move(write))
{
    m_button->setOnCommit([this](std::uint32_t keyCode, std::uint32_t modifiers) {
        if (m_write)
            m_write({keyCode, modifiers});
    });
    synchronise();
}

HotKeyRecorder* HotKeyRecorder::create(Read read, Write write, QWidget* parent)
{
    return new HotKeyRecorder(new RecorderButton(parent), std::move(read), std::move(write));
}

HotKeyRecorder* HotKeyRecorder::forBinding(AppSettings& settings, const QUuid& bindingID, QWidget* parent)
{
    // The settings may be gone before a button that outlived them is redrawn.
    QPointer<AppSettings> guarded(&settings);
    auto read = [guarded, bindingID]() -> Combination {
        if (guarded) {
            for (const HotKeyBinding& binding : guarded->bindings()) {
                if (binding.id == bindingID)
                    return {binding.keyCode, binding.modifiers};
            }
        }
        return {};
    };
    auto write = [guarded, bindingID](Combination combination) {
        if (!guarded)
            return;
        const QList<HotKeyBinding> bindings = guarded->bindings();
        const auto it =
            std::find_if(bindings.cbegin(), bindings.cend(),
                         [&bindingID](const HotKeyBinding& binding) { return binding.id == bindingID; });
        if (it == bindings.cend())
            return; // removed meanwhile
        HotKeyBinding changed = *it;
        changed.keyCode = combination.keyCode;
        changed.modifiers = combination.modifiers;
        guarded->updateBinding(changed);
    };
    HotKeyRecorder* recorder = create(std::move(read), std::move(write), parent);
    connect(&settings, &AppSettings::bindingsChanged, recorder, &HotKeyRecorder::synchronise);
    return recorder;
}

void HotKeyRecorder::synchronise()
{
    if (m_button->isRecording() || !m_read)
        return;
    const Combination bound = m_read();
    if (bound == Combination{m_button->currentKeyCode(), m_button->currentModifiers()})
        return;
    m_button->setCombination(bound.keyCode, bound.modifiers);
}
