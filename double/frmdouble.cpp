// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The double pendulum window: its layout, Run, Stop, Resume, the tick and the figure with its
// XOR trail.
#include "frmdouble.h"

#include "conversions.h"
#include "designcontrols.h"
#include "fields.h"
#include "module1.h"
#include "twips.h"
#include "uifont.h"

#include <tuple>
#include <utility>

namespace {

constexpr double ScreenScale = 1000.0;
constexpr double ScreenOriginX = 300.0;
constexpr double ScreenOriginY = 100.0;

} // namespace

// The controls are made in tab order, which is then the order Tab follows.
frmDouble::frmDouble(DoublePendulum &state_, QWidget *parent)
    : SimulatorForm(9345, 6030, parent), Picture1(new Canvas(this)),
      Command1(makeButton(this, "Command1", "実行", twipsRect(6600, 240, 615, 375))),
      Text1(makeField(this, "Text1", "0.1", twipsRect(7080, 840, 735, 270))),
      Label1(makeLabel(this, "Label1", "Lb", twipsRect(7920, 840, 375, 255))),
      Label2(makeLabel(this, "Label2", "La", twipsRect(6720, 840, 375, 255))),
      Text2(makeField(this, "Text2", "0.1", twipsRect(8160, 840, 735, 270))),
      Label3(makeLabel(this, "Label3", "Ma", twipsRect(6720, 1200, 375, 255))),
      Text3(makeField(this, "Text3", "0.02", twipsRect(7080, 1200, 735, 270))),
      Label4(makeLabel(this, "Label4", "Mb", twipsRect(7920, 1200, 375, 255))),
      Text4(makeField(this, "Text4", "0.02", twipsRect(8160, 1200, 735, 270))),
      Label5(makeLabel(this, "Label5", "g", twipsRect(6720, 1680, 255, 255))),
      Text5(makeField(this, "Text5", "9.8", twipsRect(7080, 1680, 735, 270))),
      Command2(makeButton(this, "Command2", "停止", twipsRect(7320, 240, 735, 375))),
      Text6(makeField(this, "Text6", "0.005", twipsRect(8160, 1680, 735, 270))),
      Label7(makeLabel(this, "Label7", "dt", twipsRect(7920, 1680, 255, 255))),
      Command3(makeButton(this, "Command3", "再開", twipsRect(8160, 240, 735, 375))),
      Text7(makeField(this, "Text7", "30", twipsRect(7080, 2160, 735, 270))),
      Label8(makeLabel(this, "Label8", "Ma", twipsRect(6720, 2160, 255, 255))),
      Text8(makeField(this, "Text8", "10", twipsRect(8280, 2160, 735, 270))),
      Label9(makeLabel(this, "Label9", "Mb", twipsRect(7920, 2160, 255, 255))),
      Label10(makeLabel(this, "Label10", "タイマー", twipsRect(6720, 2520, 735, 255))),
      Text9(makeField(this, "Text9", "10", twipsRect(7560, 2520, 855, 270))),
      Label17(makeLabel<NumberLabel>(this, "Label17", "", twipsRect(7440, 3360, 1215, 375))),
      Text10(makeField(this, "Text10", "0.0004", twipsRect(7800, 2880, 855, 270))),
      Label6(makeLabel(this, "Label6", "動粘性抵抗", twipsRect(6720, 2880, 1095, 255))),
      Check1(new QCheckBox(QStringLiteral("軌跡あり"), this)), state(state_)
{
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 240, 6135, 5655));
    Picture1->setAccessibleName(QStringLiteral("二重振り子の図"));
    Picture1->setAccessibleDescription(QStringLiteral(
        "二重振り子の二本の棒と二つのボール。軌跡ありのときは下のボールの軌跡も描きます"));
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(twipsRect(6720, 4080, 2295, 375));

    // Each caption is its field's label, and each field's name says what it holds; the angle
    // fields' captions repeat the mass captions, so their names say they are start angles.
    const std::tuple<QLineEdit *, QLabel *, QString> captions[] = {
        {Text1, Label2, {}},
        {Text2, Label1, {}},
        {Text3, Label3, {}},
        {Text4, Label4, {}},
        {Text5, Label5, {}},
        {Text6, Label7, {}},
        {Text7, Label8, QStringLiteral("（上の腕の初期角度）")},
        {Text8, Label9, QStringLiteral("（下の腕の初期角度）")},
        {Text9, Label10, {}},
        {Text10, Label6, {}}};
    for (const auto &[field, caption, what] : captions) {
        field->setAccessibleName(caption->text() + what);
        caption->setBuddy(field);
    }
    for (QLabel *symbol : {Label1, Label2, Label3, Label4, Label5, Label7, Label8, Label9})
        symbol->setFont(symbolFont());

    // A screen reader hears the elapsed time in the label's name, updated at most twice a
    // second rather than at every tick.
    Label17->setAccessibleName(QStringLiteral("経過時間"));
    Label17->setTextFormat(Qt::PlainText); // a number: no test for rich text at every tick
    announceElapsed.setSingleShot(true);
    announceElapsed.setInterval(500);
    connect(&announceElapsed, &QTimer::timeout, this, [this] {
        Label17->setAccessibleName(QStringLiteral("経過時間 %1").arg(Label17->text()));
    });
    Picture1->setFocus();

    handle(Command1, &QPushButton::clicked, &frmDouble::Command1_Click);
    handle(Command2, &QPushButton::clicked, &frmDouble::Command2_Click);
    handle(Command3, &QPushButton::clicked, &frmDouble::Command3_Click);
    handle(&Timer1, &StepTimer::Timer, &frmDouble::Timer1_Timer);

    guarded([this] { Form_Load(); });
}

namespace {

// Which field feeds which parameter, in the order Run reads them.
constexpr ParameterField<frmDouble, double DoubleParameters::*> kParameterFields[] = {
    {&DoubleParameters::lenA, &frmDouble::Text1},
    {&DoubleParameters::lenB, &frmDouble::Text2},
    {&DoubleParameters::massA, &frmDouble::Text3},
    {&DoubleParameters::massB, &frmDouble::Text4},
    {&DoubleParameters::startAngleA, &frmDouble::Text7},
    {&DoubleParameters::startAngleB, &frmDouble::Text8},
    {&DoubleParameters::gravity, &frmDouble::Text5},
    {&DoubleParameters::timeStep, &frmDouble::Text6},
    {&DoubleParameters::damping, &frmDouble::Text10}};
static_assert(feedsEveryParameter(kParameterFields, kDoubleParameterIds),
              "every parameter an error can name has its field");

} // namespace

std::string frmDouble::fieldOf(const std::string &input) const
{
    return fieldNamedBy(*this, kParameterFields, kDoubleParameterIds, input);
}

void frmDouble::sendToScreen()
{
    SimulatorForm::sendToScreen();
    if (elapsedToShow)
        Label17->setText(*std::exchange(elapsedToShow, std::nullopt));
}

int frmDouble::Check1Value() const { return Check1->isChecked() ? 1 : 0; }

float frmDouble::ToCanvas(CheckedDouble world, double origin)
{
    return CSng((ScreenScale * world + origin).value());
}

frmDouble::Figure frmDouble::FigureOf(const DoublePendulum &pendulum, std::int16_t slot)
{
    const ArmState &a = pendulum.armA[slot];
    const ArmState &b = pendulum.armB[slot];
    // A bob lies no farther from its pivot than its rod is long: only a rod length can put
    // the figure beyond single precision.
    Figure figure{};
    blame({"lenA"}, [&] {
        figure.ax = ToCanvas(a.x, ScreenOriginX);
        figure.ay = ToCanvas(a.y, ScreenOriginY);
    });
    blame({"lenB"}, [&] {
        figure.bx = ToCanvas(b.x, ScreenOriginX);
        figure.by = ToCanvas(b.y, ScreenOriginY);
    });
    return figure;
}

void frmDouble::DrawDoublePendulum(const std::int16_t &slot) { DrawFigure(FigureOf(state, slot)); }

void frmDouble::DrawFigure(const Figure &figure)
{
    Colour outline = RGB(0, 0, 0);
    Colour upperFill = RGB(255, 0, 0);
    Colour lowerFill = RGB(0, 0, 255);
    if (Check1Value() == 1) {
        // Complemented, so that XOR over white shows the plain colours.
        outline ^= RGB(255, 255, 255);
        upperFill ^= RGB(255, 255, 255);
        lowerFill ^= RGB(255, 255, 255);
    }
    const float pivotX = float(ScreenOriginX);
    const float pivotY = float(ScreenOriginY);
    Picture1->Line(pivotX, pivotY, figure.ax, figure.ay, outline);
    Picture1->Line(figure.ax, figure.ay, figure.bx, figure.by, outline);
    Picture1->setFillStyle(Canvas::Solid);
    Picture1->setFillColor(outline);
    Picture1->Circle(pivotX, pivotY, 4.0f, outline);
    Picture1->setFillColor(upperFill);
    Picture1->Circle(figure.ax, figure.ay, 8.0f, outline);
    Picture1->setFillColor(lowerFill);
    Picture1->Circle(figure.bx, figure.by, 8.0f, outline);
}

// Run and the tick compute the new state and its figures first and change the window only
// when all of that has succeeded: a run-time error leaves everything as it was.
void frmDouble::Command1_Click()
{
    DoubleParameters values{};
    for (const auto &[member, field] : kParameterFields)
        values.*member = convertField(fieldName(this->*field), [this, field = field] {
            return Val(fieldText(this->*field));
        });
    DoublePendulum next = state;
    Figure start;
    try {
        next.InitArms(values);
        start = FigureOf(next, next.prevSlot);
    } catch (const RuntimeError &error) {
        std::vector<std::string> named;
        for (const std::string &input : error.fields())
            named.push_back(fieldOf(input));
        throw RuntimeError(error.kind(),
                           narrowBlame(named, suspects(values),
                                       [this, &values](const std::vector<std::size_t> &atDesign) {
                                           replaySwing(values, 0, atDesign);
                                       }));
    }
    const int interval = convertField(fieldName(Text9), [this] {
        return StepTimer::checkedInterval(CLng(Val(fieldText(Text9))));
    });

    Module1::SetWorldScale(*Picture1, 0, 0, 500, 500);
    state = next;
    swingStart = values;
    swingTicks = 0;
    if (Check1Value() == 1) {
        // The start figure is drawn and cleared again: the first tick's erase draws it.
        Picture1->setDrawMode(Canvas::XorPen);
        Picture1->Cls();
        DrawFigure(start);
        Picture1->Cls();
    } else {
        Picture1->setDrawMode(Canvas::CopyPen);
        Picture1->Cls();
        DrawFigure(start);
    }
    Timer1.setInterval(interval);
    Timer1.setEnabled(true);
}

void frmDouble::Command2_Click() { Timer1.setEnabled(false); }

void frmDouble::Command3_Click() { Timer1.setEnabled(true); }

void frmDouble::Form_Load() { state.ResetSlots(); }

frmDouble::Step frmDouble::StepModel(DoublePendulum &pendulum)
{
    pendulum.AddTimeStep();
    pendulum.AdvanceArms();
    const Step step{FigureOf(pendulum, pendulum.prevSlot), FigureOf(pendulum, pendulum.curSlot)};
    pendulum.SwapSlots();
    return step;
}

void frmDouble::Timer1_Timer()
{
    // A failed tick changes nothing: the model steps on a copy.
    DoublePendulum next = state;
    Step step;
    tickBlamingFields(
        swingTicks, [&] { step = StepModel(next); }, [this] { return suspects(swingStart); },
        [this](long ticks, const std::vector<std::size_t> &atDesign) {
            replaySwing(swingStart, ticks, atDesign);
        });
    state = next;
    ++swingTicks;

    // Shown with the window's next display frame, together with the canvas (programclock.h).
    elapsedToShow = QString::fromStdString(Format(state.elapsedTime.value(), "#0.000000"));
    if (!announceElapsed.isActive())
        announceElapsed.start();

    if (Check1Value() == 1) {
        // Erase the previous figure by drawing it again with the XOR pen, draw the new one,
        // and leave a trail segment between the two lower bobs with the copy pen.
        Picture1->setDrawMode(Canvas::XorPen);
        DrawFigure(step.previous);
        DrawFigure(step.current);
        Picture1->setDrawMode(Canvas::CopyPen);
        Picture1->Line(step.current.bx, step.current.by, step.previous.bx, step.previous.by,
                       RGB(0, 255, 255));
    } else {
        Picture1->setDrawMode(Canvas::CopyPen);
        Picture1->Cls();
        DrawFigure(step.current);
    }
}

std::vector<Suspect> frmDouble::suspects(const DoubleParameters &start) const
{
    return parametersAsSuspects(*this, kParameterFields, kDoubleParameterIds, start);
}

void frmDouble::replaySwing(const DoubleParameters &start, long ticks,
                            const std::vector<std::size_t> &atDesign) const
{
    DoublePendulum replay;
    replay.InitArms(
        withDesignValues(*this, kParameterFields, kDoubleParameterIds, start, atDesign));
    FigureOf(replay, replay.prevSlot); // Run's figure
    for (long n = 0; n < ticks; ++n)
        StepModel(replay);
}
