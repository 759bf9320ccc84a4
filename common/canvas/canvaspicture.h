// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The canvas's picture, at device pixels, and the one way its pixels change. Whatever changes
// them, a primitive's writer, a clear or a new picture, keeps two records with them: which
// pixels are other than white (row by row, so that a clear whitens only those) and which
// changes have yet to reach the screen (so that the screen is told of every change, and of no
// more). A new picture is unsent whole.
#pragma once

#include <QImage>

#include <algorithm>
#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

class CanvasPicture {
public:
    // A box of device pixels; empty while left > right. It grows to cover what is added to it.
    struct Box {
        int left = std::numeric_limits<int>::max();
        int top = std::numeric_limits<int>::max();
        int right = -1;
        int bottom = -1;
        bool isEmpty() const { return left > right; }
        void cover(int first, int last, int y)
        {
            left = std::min(left, first);
            right = std::max(right, last);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        void cover(const Box &other)
        {
            if (other.isEmpty())
                return;
            cover(other.left, other.right, other.top);
            cover(other.left, other.right, other.bottom);
        }
    };

    // The pixels a primitive sets, with the copy or the XOR pen; pixels off the picture are
    // skipped. Each row's ink is noted as it is set, the box of all it set when the writer
    // goes: a primitive takes one writer for all its pixels.
    class Writer {
    public:
        Writer(const Writer &) = delete;
        Writer &operator=(const Writer &) = delete;
        ~Writer()
        {
            m_picture.m_inked.cover(m_written);
            m_picture.m_unsent.cover(m_written);
        }
        void operator()(int x, int y, QRgb colour) { run(x, x, y, colour); }
        // The pixels first..last of row y, as one by one but checked and noted once.
        void run(int first, int last, int y, QRgb colour)
        {
            first = std::max(first, 0);
            last = std::min(last, m_width - 1);
            if (y < 0 || y >= m_height || first > last)
                return;
            QRgb *pixel = m_bits + y * m_stride;
            if (m_xorPen)
                for (int x = first; x <= last; ++x)
                    pixel[x] = (pixel[x] ^ colour) | 0xFF000000u;
            else
                std::fill(pixel + first, pixel + last + 1, colour);
            Span &ink = m_picture.m_rowInk[std::size_t(y)];
            ink.first = std::min(ink.first, first);
            ink.last = std::max(ink.last, last);
            m_written.cover(first, last, y);
        }

    private:
        friend class CanvasPicture;
        Writer(CanvasPicture &picture, bool xorPen)
            // bits() checks once whether the image must be detached; the writer then writes
            // straight into its rows.
            : m_picture(picture), m_bits(reinterpret_cast<QRgb *>(picture.m_image.bits())),
              m_stride(picture.m_image.bytesPerLine() / qsizetype(4)),
              m_width(picture.m_image.width()), m_height(picture.m_image.height()), m_xorPen(xorPen)
        {
        }
        CanvasPicture &m_picture;
        QRgb *m_bits;
        qsizetype m_stride;
        int m_width;
        int m_height;
        bool m_xorPen;
        Box m_written;
    };

    const QImage &image() const { return m_image; }
    // A blank picture of this many device pixels at this device pixel ratio.
    void make(QSize size, qreal ratio)
    {
        m_image = QImage(size, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
        m_image.fill(Qt::white);
        m_inked = Box();
        m_rowInk.assign(std::size_t(m_image.height()), kNoInk);
        m_unsent = Box{0, 0, m_image.width() - 1, m_image.height() - 1};
    }
    Writer writer(bool xorPen) { return Writer(*this, xorPen); }
    // Whitens every pixel drawn on since the last clear: only those can be other than white,
    // so a clear costs, and sends to the screen, the size of what was drawn.
    void clear()
    {
        if (m_inked.isEmpty())
            return;
        QRgb *bits = reinterpret_cast<QRgb *>(m_image.bits());
        const qsizetype stride = m_image.bytesPerLine() / qsizetype(4);
        for (int y = m_inked.top; y <= m_inked.bottom; ++y) {
            Span &ink = m_rowInk[std::size_t(y)];
            if (ink.first > ink.last)
                continue;
            std::fill(bits + y * stride + ink.first, bits + y * stride + ink.last + 1,
                      qRgb(255, 255, 255));
            ink = kNoInk;
        }
        m_unsent.cover(m_inked);
        m_inked = Box();
    }
    // The device pixels changed since the last call.
    Box takeUnsent() { return std::exchange(m_unsent, Box()); }

private:
    // The inked columns of a row.
    struct Span {
        int first;
        int last;
    };
    static constexpr Span kNoInk{std::numeric_limits<int>::max(), -1};

    QImage m_image;
    Box m_inked;
    std::vector<Span> m_rowInk;
    Box m_unsent;
};
