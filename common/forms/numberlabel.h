// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// A label for a number that changes at every tick, such as an elapsed time. It looks exactly as
// a QLabel, but it shapes the characters of numbers (digits, sign, point, exponent) once for its
// font, instead of running the whole text layout at every paint. Any other text, and any setting
// a plain left-aligned line does not have, it leaves to QLabel. What it saves is measured in
// docs/performance.md.
#pragma once

#include <QLabel>
#include <QRawFont>

#include <array>

class NumberLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    static constexpr std::array<char16_t, 14> kCharacters{u'0', u'1', u'2', u'3', u'4', u'5', u'6',
                                                          u'7', u'8', u'9', u'.', u'-', u'+', u'E'};

    // The characters as the text layout shapes them in the label's font, each a glyph of its
    // own; invalid when the font shapes them otherwise.
    struct Glyphs {
        QRawFont font;
        std::array<quint32, kCharacters.size()> index{};
        std::array<qreal, kCharacters.size()> advance{};
        qreal ascent = 0;
        qreal lineHeight = 0;
        // The resolution they were shaped for; 0 for none yet.
        int dpi = 0;
    };

    bool paintsPlainLine() const;
    const Glyphs &glyphs();
    // Draws the text from the glyphs; false, having drawn nothing, when they do not cover it.
    bool paintNumber();

    Glyphs m_glyphs;
};
