// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// pendulum-trace: a developer tool that prints the numbers the windows compute.
//   pendulum-trace single TICKS [--pixels] [FIELD=TEXT ...]
//   pendulum-trace double TICKS [--trail] [--pixels] [FIELD=TEXT ...]
//   pendulum-trace convert FUNC [ARG ...]
// The simulator modes build the real window offscreen, click its Run and tick its timer as the
// program does, so the numbers are the window's own: conversions, interval check and all. With
// --pixels each line ends in a fingerprint of the canvas's picture, so that two builds' traces tell
// the first tick whose figure differs by a pixel.
#include "conversions.h"
#include "doublependulum.h"
#include "exactdecimal.h"
#include "frmdouble.h"
#include "frmsingle.h"
#include "handlerguard.h"
#include "programclock.h"
#include "runtimeerror.h"
#include "singlependulum.h"

#include <QApplication>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kErrorStatus = 3;
constexpr int kUsageStatus = 2;

int usage()
{
    std::fputs("usage: pendulum-trace single TICKS [--pixels] [FIELD=TEXT ...]\n"
               "       pendulum-trace double TICKS [--trail] [--pixels] [FIELD=TEXT ...]\n"
               "       pendulum-trace convert Val|CDbl|CStr|CLng|Int|Format [ARG ...]\n",
               stderr);
    return kUsageStatus;
}

// Numbers are written exactly, in the form of printf's %.17g: the same text on every platform.
std::string g17(double value)
{
    char buffer[32];
    return std::string(buffer, writeGeneral(buffer, buffer + sizeof buffer, value, 17));
}

void write(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// "error: KIND", and for an error of a window's, the fields its dialog names, as it names
// them: 「Caption」 each.
void printError(const RuntimeError &error,
                const std::function<std::string(const std::string &)> &fieldOf = {})
{
    std::string fields;
    if (fieldOf)
        for (const std::string &input : error.fields())
            fields += " 「" + fieldOf(input) + "」";
    write("error: ");
    write(errorKindId(error.kind()));
    write(fields);
    write("\n");
}

// Reads a decimal number exactly, for the conversions that take a double.
bool parseDouble(const std::string &text, double &value)
{
    const char *last = text.data() + text.size();
    const DecimalRead read = readDecimal(text.data(), last, value);
    return read.isNumber && !read.outOfRange && read.end == last;
}

std::string convertOne(const std::string &func, const std::string &arg)
{
    if (func == "Val")
        return g17(Val(arg));
    if (func == "CDbl")
        return g17(CDbl(arg));
    double value = 0.0;
    if (!parseDouble(arg, value))
        throw std::invalid_argument("not a decimal number: " + arg);
    if (func == "CStr")
        return CStr(value);
    if (func == "CLng")
        return std::to_string(CLng(value));
    if (func == "Int")
        return g17(Int(value));
    return Format(value, "#0.000000");
}

int convert(const std::string &func, std::vector<std::string> args, bool fromStdin)
{
    static const char *const known[] = {"Val", "CDbl", "CStr", "CLng", "Int", "Format"};
    if (std::find(std::begin(known), std::end(known), func) == std::end(known))
        return usage();
    if (fromStdin)
        for (std::string line; std::getline(std::cin, line);)
            args.push_back(line);
    int status = 0;
    for (const std::string &arg : args) {
        try {
            write(convertOne(func, arg));
            write("\n");
        } catch (const RuntimeError &error) {
            printError(error);
            status = kErrorStatus;
        } catch (const std::invalid_argument &error) {
            std::fprintf(stderr, "pendulum-trace: %s\n", error.what());
            return kUsageStatus;
        }
    }
    return status;
}

// Sets the named fields of a window from FIELD=TEXT arguments.
bool setFields(const std::map<std::string, QLineEdit *> &fields,
               const std::vector<std::string> &args)
{
    for (const std::string &arg : args) {
        const auto eq = arg.find('=');
        const auto it = eq == std::string::npos ? fields.end() : fields.find(arg.substr(0, eq));
        if (it == fields.end()) {
            std::fprintf(stderr, "pendulum-trace: unknown field assignment: %s\n", arg.c_str());
            return false;
        }
        it->second->setText(QString::fromStdString(arg.substr(eq + 1)));
    }
    return true;
}

// Takes a flag out of the arguments, telling whether it was there.
bool takeFlag(std::vector<std::string> &args, const std::string &flag)
{
    const auto it = std::find(args.begin(), args.end(), flag);
    if (it == args.end())
        return false;
    args.erase(it);
    return true;
}

// A fingerprint of the picture's pixels: FNV-1a over its 32-bit pixels, a pixel at a time.
unsigned long long pictureFingerprint(const Canvas &canvas)
{
    const QImage &image = canvas.image();
    unsigned long long hash = 14695981039346656037ULL;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            hash = (hash ^ row[x]) * 1099511628211ULL;
    }
    return hash;
}

// Clicks Run and then ticks the timer, as the program does, printing a line per completed tick
// as the window shows it after the tick's frame, ending in the picture's fingerprint when a
// canvas is given. An error ends the trace with the error its dialog shows.
int trace(long ticks, const QWidget &window, QAbstractButton *run, StepTimer &timer,
          const std::function<void(long)> &print, const Canvas *pixels,
          const std::function<std::string(const std::string &)> &fieldOf)
{
    const auto failed = [&] {
        const std::optional<RuntimeError> error = shownRuntimeError(&window);
        if (error) {
            std::fflush(stdout);
            printError(*error, fieldOf);
        }
        return error.has_value();
    };
    run->click();
    if (failed())
        return kErrorStatus;
    for (long n = 1; n <= ticks; ++n) {
        timer.tick();
        if (failed())
            return kErrorStatus;
        ProgramClock::sendFrameNow();
        print(n);
        if (pixels) {
            // Sixteen hexadecimal digits, zeros first.
            char digits[17] = "0000000000000000";
            const unsigned long long hash = pictureFingerprint(*pixels);
            const auto end = std::to_chars(digits, digits + 16, hash, 16).ptr;
            std::rotate(digits, end, digits + 16);
            write(" ");
            write(std::string_view(digits, 16));
        }
        write("\n");
    }
    return 0;
}

int traceSingle(long ticks, std::vector<std::string> args)
{
    SinglePendulum state;
    frmSingle window(state);
    const bool pixels = takeFlag(args, "--pixels");
    if (!setFields({{"Text1", window.Text1},
                    {"Text2", window.Text2},
                    {"Text3", window.Text3},
                    {"Text4", window.Text4},
                    {"Text5", window.Text5},
                    {"Text6", window.Text6}},
                   args))
        return kUsageStatus;
    return trace(
        ticks, window, window.Command1, window.Timer1,
        [&](long n) {
            write(std::to_string(n));
            for (const CheckedDouble &v : {state.theta, state.omega}) {
                write(" ");
                write(g17(v.value()));
            }
        },
        pixels ? window.Picture1 : nullptr,
        [&window](const std::string &input) { return window.fieldOf(input); });
}

int traceDouble(long ticks, std::vector<std::string> args)
{
    DoublePendulum state;
    frmDouble window(state);
    window.Check1->setChecked(takeFlag(args, "--trail"));
    const bool pixels = takeFlag(args, "--pixels");
    if (!setFields({{"Text1", window.Text1},
                    {"Text2", window.Text2},
                    {"Text3", window.Text3},
                    {"Text4", window.Text4},
                    {"Text5", window.Text5},
                    {"Text6", window.Text6},
                    {"Text7", window.Text7},
                    {"Text8", window.Text8},
                    {"Text9", window.Text9},
                    {"Text10", window.Text10}},
                   args))
        return kUsageStatus;
    return trace(
        ticks, window, window.Command1, window.Timer1,
        [&](long n) {
            // The newest state is in prevSlot once the tick has swapped the slots.
            const ArmState &a = state.armA[state.prevSlot];
            const ArmState &b = state.armB[state.prevSlot];
            write(std::to_string(n));
            write(" ");
            write(g17(state.elapsedTime.value()));
            write(" ");
            write(window.Label17->text().toStdString());
            for (const ArmState *arm : {&a, &b})
                for (const CheckedDouble &v :
                     {arm->dOmega, arm->omega, arm->dTheta, arm->theta, arm->x, arm->y}) {
                    write(" ");
                    write(g17(v.value()));
                }
        },
        pixels ? window.Picture1 : nullptr,
        [&window](const std::string &input) { return window.fieldOf(input); });
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3)
        return usage();
#ifdef _WIN32
    // Lines end in a bare newline on every platform, so traces compare byte for byte.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::string mode = argv[1];
    std::vector<std::string> rest(argv + 3, argv + argc);
    if (mode == "convert")
        return convert(argv[2], rest, argc == 3);

    long ticks = 0;
    const char *end = argv[2] + std::strlen(argv[2]);
    if (std::from_chars(argv[2], end, ticks).ptr != end || ticks < 0)
        return usage();
    // The windows are built but never shown: no display is needed. Qt's offscreen platform,
    // unless the caller names one (in the browser, where only the browser's own is built in).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    if (mode == "single")
        return traceSingle(ticks, rest);
    if (mode == "double")
        return traceDouble(ticks, rest);
    return usage();
}
