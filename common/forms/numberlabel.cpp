// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The number label: a QLabel's plain line, drawn from glyphs shaped once.
#include "numberlabel.h"

#include <QGlyphRun>
#include <QPainter>
#include <QStyleOption>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

// The text layout keeps positions in 1/64 pixel, cutting the fraction off.
qreal toLayoutUnits(qreal value) { return std::trunc(value * 64) / 64; }

} // namespace

bool NumberLabel::paintsPlainLine() const
{
    // A disabled label's text is the style's to draw (some styles etch it); a frame, margin or
    // indent moves it.
    return isEnabled() && textFormat() == Qt::PlainText && !wordWrap() && frameWidth() == 0 &&
           margin() == 0 && indent() <= 0 && !testAttribute(Qt::WA_StyleSheet) &&
           (alignment() & Qt::AlignHorizontal_Mask) == Qt::AlignLeft;
}

const NumberLabel::Glyphs &NumberLabel::glyphs()
{
    // A screen of another resolution gives the font other pixels.
    if (m_glyphs.dpi == logicalDpiY())
        return m_glyphs;
    m_glyphs = Glyphs();
    m_glyphs.dpi = logicalDpiY();
    const QString characters = QString::fromUtf16(kCharacters.data(), kCharacters.size());
    QTextLayout layout(characters, font(), this);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1)
        return m_glyphs; // a character from a fallback font
    const QGlyphRun &run = runs.front();
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    // One glyph per character, in order, each the font's own glyph for it, and each placed by
    // the glyph's own advance: nothing was joined, reordered, substituted or kerned, so any
    // string of these characters is their glyphs side by side.
    if (indexes != run.rawFont().glyphIndexesForString(characters))
        return m_glyphs;
    const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(indexes);
    QPointF next = positions.front();
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        if (positions[i] != next)
            return m_glyphs;
        m_glyphs.index[size_t(i)] = indexes[i];
        m_glyphs.advance[size_t(i)] = advances[i].x();
        next.rx() += advances[i].x();
    }
    m_glyphs.ascent = line.ascent();
    m_glyphs.lineHeight = line.height();
    m_glyphs.font = run.rawFont();
    return m_glyphs;
}

void NumberLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_glyphs.dpi = 0; // shape again
    QLabel::changeEvent(event);
}

void NumberLabel::paintEvent(QPaintEvent *event)
{
    if (!paintsPlainLine() || !paintNumber())
        QLabel::paintEvent(event);
}

bool NumberLabel::paintNumber()
{
    const Glyphs &shaped = glyphs();
    const QString shown = text();
    if (!shaped.font.isValid() || shown.isEmpty())
        return false;
    QList<quint32> indexes(shown.size());
    QList<QPointF> positions(shown.size());
    qreal x = 0;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const auto found = std::find(kCharacters.begin(), kCharacters.end(), shown[i].unicode());
        if (found == kCharacters.end())
            return false;
        const auto k = size_t(found - kCharacters.begin());
        indexes[i] = shaped.index[k];
        positions[i] = QPointF(x, 0);
        x += shaped.advance[k];
    }
    QGlyphRun run;
    run.setRawFont(shaped.font);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);

    // Where QLabel's text drawing puts a single line: at the left of the contents; centred,
    // topped or bottomed in them; clipped to them.
    const QRect area = contentsRect();
    qreal top = 0;
    if (alignment() & Qt::AlignBottom)
        top = area.height() - shaped.lineHeight;
    else if (alignment() & Qt::AlignVCenter)
        top = (area.height() - shaped.lineHeight) / 2;
    const QPointF baseline(area.x(), toLayoutUnits(area.y() + top) + shaped.ascent);

    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    painter.setPen(QPen(option.palette.brush(foregroundRole()), painter.pen().widthF()));
    if (x > area.width() || shaped.lineHeight > area.height())
        painter.setClipRect(area, Qt::IntersectClip);
    painter.drawGlyphRun(baseline, run);
    return true;
}
