// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The simple pendulum window: its layout, Run, Stop, Resume, the tick and click placement.
#include "frmsingle.h"

#include "angles.h"
#include "conversions.h"
#include "designcontrols.h"
#include "fields.h"
#include "module1.h"
#include "twips.h"

#include <QFontMetricsF>
#include <QPalette>

#include <algorithm>
#include <cmath>

// The controls are made in tab order, which is then the order Tab follows.
frmSingle::frmSingle(SinglePendulum &state_, QWidget *parent)
    : SimulatorForm(9345, 6030, parent), Picture1(new Canvas(this)),
      Command1(makeButton(this, "Command1", "実行", twipsRect(6600, 240, 615, 375))),
      Text1(makeField(this, "Text1", "10", twipsRect(8280, 825, 735, 270))),
      Label1(makeLabel(this, "Label1", "動粘性抵抗", twipsRect(7080, 1200, 1215, 255))),
      Label2(makeLabel(this, "Label2", "タイマー", twipsRect(7320, 840, 855, 255))),
      Text2(makeField(this, "Text2", "0.001", twipsRect(8280, 1200, 735, 270))),
      Label3(makeLabel(this, "Label3", "重力加速度", twipsRect(7080, 1560, 1095, 255))),
      Text3(makeField(this, "Text3", "0.98", twipsRect(8280, 1560, 735, 270))),
      Label4(makeLabel(this, "Label4", "時間刻み", twipsRect(7320, 1920, 855, 255))),
      Text4(makeField(this, "Text4", "1", twipsRect(8280, 1920, 735, 270))),
      Label5(makeLabel(this, "Label5", "棒の長さ", twipsRect(7320, 2280, 855, 255))),
      Text5(makeField(this, "Text5", "100", twipsRect(8280, 2280, 735, 270))),
      Command2(makeButton(this, "Command2", "停止", twipsRect(7320, 240, 735, 375))),
      Label6(makeLabel(this, "Label6", "クリックしたところにボールが移動します",
                       twipsRect(6480, 3840, 2655, 495))),
      Text6(makeField(this, "Text6", "90", twipsRect(8280, 2640, 735, 270))),
      Label7(makeLabel(this, "Label7", "初期角度（Degree ）", twipsRect(6600, 2640, 1815, 255))),
      Command3(makeButton(this, "Command3", "再開", twipsRect(8160, 240, 735, 375))), state(state_)
{

    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 240, 6135, 5655));
    Picture1->setAccessibleName(QStringLiteral("単振り子の図"));
    Picture1->setAccessibleDescription(
        QStringLiteral("振り子の棒とボール。クリックしたところにボールが移動します"));
    // Each field's name is its caption's text, and the caption is the field's label.
    const std::pair<QLineEdit *, QLabel *> captions[] = {{Text1, Label2}, {Text2, Label1},
                                                         {Text3, Label3}, {Text4, Label4},
                                                         {Text5, Label5}, {Text6, Label7}};
    for (const auto &[field, caption] : captions) {
        field->setAccessibleName(caption->text());
        caption->setBuddy(field);
    }
    // The hint is dark text on light yellow, whatever the desktop's theme, and wraps between
    // its two phrases: its side margins leave room for the longer phrase, not for more.
    Label6->setAutoFillBackground(true);
    QPalette hint = Label6->palette();
    hint.setColor(QPalette::Window, QColor(255, 255, 192));
    hint.setColor(QPalette::WindowText, Qt::black);
    Label6->setPalette(hint);
    Label6->setWordWrap(true);
    const QFontMetricsF metrics(Label6->font());
    const qreal phrase = std::max(metrics.horizontalAdvance(QStringLiteral("クリックしたところに")),
                                  metrics.horizontalAdvance(QStringLiteral("ボールが移動します")));
    const int side = std::max(0, int((Label6->width() - std::ceil(phrase) - 2) / 2));
    Label6->setContentsMargins(side, 0, side, 0);
    Picture1->setFocus();

    handle(Command1, &QPushButton::clicked, &frmSingle::Command1_Click);
    handle(Command2, &QPushButton::clicked, &frmSingle::Command2_Click);
    handle(Command3, &QPushButton::clicked, &frmSingle::Command3_Click);
    handle(Picture1, &Canvas::MouseDown, &frmSingle::Picture1_MouseDown);
    handle(&Timer1, &StepTimer::Timer, &frmSingle::Timer1_Timer);
}

namespace {

// Which field feeds which parameter, in the order Run reads them.
constexpr ParameterField<frmSingle, CheckedDouble SinglePendulum::*> kParameterFields[] = {
    {&SinglePendulum::damping, &frmSingle::Text2},
    {&SinglePendulum::gravity, &frmSingle::Text3},
    {&SinglePendulum::timeStep, &frmSingle::Text4},
    {&SinglePendulum::rodLength, &frmSingle::Text5}};
static_assert(feedsEveryParameter(kParameterFields, kSingleParameterIds),
              "every parameter an error can name has its field");

} // namespace

std::string frmSingle::fieldOf(const std::string &input) const
{
    return fieldNamedBy(*this, kParameterFields, kSingleParameterIds, input);
}

frmSingle::Figure frmSingle::FigureOf(const SinglePendulum &pendulum)
{
    // The bob never lies farther from the pivot than the rod is long, so only the rod length
    // can put it beyond single precision.
    return blame({"rodLength"}, [&pendulum] {
        const SinglePendulum::Point bob = pendulum.Bob();
        return Figure{CSng(bob.x.value()), CSng((-bob.y).value())};
    });
}

void frmSingle::DrawPendulum(const Figure &bob)
{
    Picture1->Cls();
    Picture1->Line(0.0f, 0.0f, bob.x, bob.y);
    Picture1->setFillColor(RGB(255, 0, 0));
    Picture1->setFillStyle(Canvas::Solid);
    Picture1->Circle(bob.x, bob.y, 10.0f);
}

// Each handler computes the new model and its figure first and changes the window only when
// all of that has succeeded: a run-time error leaves everything as it was.
void frmSingle::Command1_Click()
{
    const int interval = convertField(fieldName(Text1), [this] {
        return StepTimer::checkedInterval(CLng(Val(fieldText(Text1))));
    });
    const auto read = [](const QLineEdit *field) {
        return convertField(fieldName(field), [field] { return Val(fieldText(field)); });
    };
    SinglePendulum next = state;
    for (const auto &[member, field] : kParameterFields)
        next.*member = read(this->*field);
    next.omega = 0.0;
    next.theta = convertField(fieldName(Text6), [this] {
        const CheckedDouble radians = CheckedDouble(CDbl(fieldText(Text6))) * kPi / 180.0;
        return Val(CStr(radians.value()));
    });
    const Figure figure = FigureOf(next);

    Module1::SetWorldScale(*Picture1, -300, 300, 300, -300);
    state = next;
    swingStart = next;
    swingTicks = 0;
    DrawPendulum(figure);
    Timer1.setInterval(interval);
    Timer1.setEnabled(true);
}

void frmSingle::Command2_Click() { Timer1.setEnabled(false); }

void frmSingle::Command3_Click() { Timer1.setEnabled(true); }

void frmSingle::Picture1_MouseDown(short, short, float x, float y)
{
    SinglePendulum next = state;
    next.PlaceAt(x, y);
    const Figure figure = FigureOf(next);
    state = next;
    swingStart = next;
    swingTicks = 0;
    setFieldText(Text5, CStr(state.rodLength.value()));
    DrawPendulum(figure);
}

frmSingle::Figure frmSingle::StepModel(SinglePendulum &pendulum)
{
    pendulum.Step();
    return FigureOf(pendulum);
}

void frmSingle::Timer1_Timer()
{
    SinglePendulum next = state;
    Figure figure{};
    tickBlamingFields(
        swingTicks, [&] { figure = StepModel(next); }, [this] { return suspects(); },
        [this](long ticks, const std::vector<std::size_t> &atDesign) {
            replaySwing(ticks, atDesign);
        });
    state = next;
    ++swingTicks;
    DrawPendulum(figure);
}

std::vector<Suspect> frmSingle::suspects() const
{
    return parametersAsSuspects(*this, kParameterFields, kSingleParameterIds, swingStart);
}

void frmSingle::replaySwing(long ticks, const std::vector<std::size_t> &atDesign) const
{
    SinglePendulum replay =
        withDesignValues(*this, kParameterFields, kSingleParameterIds, swingStart, atDesign);
    for (long n = 0; n < ticks; ++n)
        StepModel(replay);
}
