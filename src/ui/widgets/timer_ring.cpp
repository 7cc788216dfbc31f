// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/timer_ring.h"

#include "ui/widgets/ui_colors.h"
#include "ui/widgets/ui_fonts.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace {

bool usablePeriod(double period)
{
    return std::isfinite(period) && period > 0;
}

} // namespace

double TimerRing::remainingSeconds() const
{
    if (!usablePeriod(period))
        return 0;
    return period - std::fmod(secondsSinceEpoch(now), period);
}

double TimerRing::progress() const
{
    if (!usablePeriod(period))
        return 0;
    return remainingSeconds() / period;
}

QString TimerRing::label() const
{
    if (!usablePeriod(period))
        return {};
    return QString::asprintf("%lld", static_cast<long long>(std::ceil(remainingSeconds())));
}

TimerRing::Tone TimerRing::tone() const
{
    return toneAt(progress());
}

TimerRing::Tone TimerRing::toneAt(double p)
{
    if (p > 0.33)
        return Tone::accent;
    if (p > 0.16)
        return Tone::orange;
    return Tone::red;
}

QColor toneColor(TimerRing::Tone tone, const QPalette& palette)
{
    switch (tone) {
    case TimerRing::Tone::accent:
        return accentColor(palette);
    case TimerRing::Tone::orange:
        return orangeColor();
    case TimerRing::Tone::red:
        return redColor();
    }
    return accentColor(palette);
}

double blendedProgress(const TimerRing& from, const TimerRing& to, double fraction)
{
    const double start = from.progress();
    const double end = to.progress();
    return start + (end - start) * std::clamp(fraction, 0.0, 1.0);
}

void paintTimerRing(QPainter& painter, const QRectF& rect, const TimerRing& ring, const QPalette& palette)
{
    paintTimerRing(painter, rect, ring, palette, ring.progress());
}

void paintTimerRing(QPainter& painter, const QRectF& rect, const TimerRing& ring, const QPalette& palette,
                    double arcProgress)
{
    constexpr double lineWidth = 2;
    const QRectF circle = rect.adjusted(lineWidth / 2, lineWidth / 2, -lineWidth / 2, -lineWidth / 2);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(quaternaryColor(palette), lineWidth));
    painter.drawEllipse(circle);

    // Qt angles run counter-clockwise from three o'clock in 1/16 degrees: start at twelve
    // o'clock and sweep a negative span to go clockwise.
    QPen arcPen(toneColor(TimerRing::toneAt(arcProgress), palette), lineWidth);
    arcPen.setCapStyle(Qt::RoundCap);
    painter.setPen(arcPen);
    painter.drawArc(circle, 90 * 16, -static_cast<int>(std::lround(arcProgress * 360 * 16)));

    painter.setPen(secondaryColor(palette));
    painter.setFont(ringFont(painter.font()));
    painter.drawText(rect, Qt::AlignCenter, ring.label());
    painter.restore();
}
