// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// pendulum-icon SIZE FILE.png | maskable FILE.png | svg FILE.svg | ico FILE.ico: writes the
// program's icon at SIZE pixels, at 512 for a launcher that cuts its own shape, as scalable
// vector graphics, or as a Windows icon holding every size Explorer asks for, for installing.
#include "pendulumicon.h"

#include <QBuffer>
#include <QFile>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void appendLittleEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

// A Windows icon file: a directory of images, each stored as PNG (read by Windows since Vista).
QByteArray windowsIcon()
{
    const std::vector<int> sizes = {16, 20, 24, 32, 40, 48, 64, 256};
    std::vector<QByteArray> images;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        drawPendulumIcon(size).save(&buffer, "PNG");
        images.push_back(png);
    }
    QByteArray ico;
    appendLittleEndian(ico, 0, 2); // reserved
    appendLittleEndian(ico, 1, 2); // an icon, not a cursor
    appendLittleEndian(ico, quint32(sizes.size()), 2);
    quint32 offset = quint32(6 + 16 * sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const quint32 side = sizes[i] >= 256 ? 0 : quint32(sizes[i]); // 0 stands for 256
        appendLittleEndian(ico, side, 1);
        appendLittleEndian(ico, side, 1);
        appendLittleEndian(ico, 0, 1);  // no palette
        appendLittleEndian(ico, 0, 1);  // reserved
        appendLittleEndian(ico, 1, 2);  // colour planes
        appendLittleEndian(ico, 32, 2); // bits a pixel
        appendLittleEndian(ico, quint32(images[i].size()), 4);
        appendLittleEndian(ico, offset, 4);
        offset += quint32(images[i].size());
    }
    for (const QByteArray &png : images)
        ico += png;
    return ico;
}

bool writeFile(const QString &file, const QByteArray &data)
{
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(data) == data.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: pendulum-icon SIZE FILE.png | maskable FILE.png | svg FILE.svg | "
                   "ico FILE.ico\n",
                   stderr);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[2]);
    if (std::string(argv[1]) == "svg")
        return writeFile(file, pendulumIconSvg()) ? 0 : 1;
    if (std::string(argv[1]) == "ico")
        return writeFile(file, windowsIcon()) ? 0 : 1;
    if (std::string(argv[1]) == "maskable")
        return drawMaskablePendulumIcon(512).save(file, "PNG") ? 0 : 1;
    const int size = std::stoi(argv[1]);
    return drawPendulumIcon(size).save(file, "PNG") ? 0 : 1;
}
