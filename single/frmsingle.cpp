// The simple pendulum window: its layout, Run, Stop, Resume, the tick and click placement.
#include "frmsingle.h"

#include "angles.h"
#include "conversions.h"
#include "designcontrols.h"
#include "fields.h"
#include "handlerguard.h"
#include "module1.h"
#include "twips.h"
#include "uifont.h"

#include <QPalette>

// The controls are made in tab order, which is then the order Tab follows.
frmSingle::frmSingle(SinglePendulum &state_, QWidget *parent)
    : QWidget(parent), Picture1(new Canvas(this)),
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
    setWindowTitle(QStringLiteral("Form1"));
    setFont(uiFont());
    resize(twips(9345), twips(6030));

    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 240, 6135, 5655));
    Picture1->setAccessibleName(QStringLiteral("単振り子の図"));
    // Each field's name is its caption's text.
    const std::pair<QLineEdit *, QLabel *> captions[] = {
        {Text1, Label2}, {Text2, Label1}, {Text3, Label3},
        {Text4, Label4}, {Text5, Label5}, {Text6, Label7}};
    for (const auto &[field, caption] : captions)
        field->setAccessibleName(caption->text());
    // The hint stands on light yellow and wraps onto its two lines.
    Label6->setAutoFillBackground(true);
    QPalette hint = Label6->palette();
    hint.setColor(QPalette::Window, QColor(255, 255, 192));
    Label6->setPalette(hint);
    Label6->setWordWrap(true);
    Picture1->setFocus();

    connect(Command1, &QPushButton::clicked, this, [this] { guarded([this] { Command1_Click(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { guarded([this] { Command2_Click(); }); });
    connect(Command3, &QPushButton::clicked, this, [this] { guarded([this] { Command3_Click(); }); });
    connect(Picture1, &Canvas::MouseDown, this, [this](short button, short shift, float x, float y) {
        guarded([=, this] { Picture1_MouseDown(button, shift, x, y); });
    });
    connect(&Timer1, &StepTimer::Timer, this, [this] { guarded([this] { Timer1_Timer(); }); });
}

template <typename Procedure> void frmSingle::guarded(Procedure procedure)
{
    runHandler(this, Timer1, procedure);
}

void frmSingle::DrawPendulum()
{
    const SinglePendulum::Point bob = state.Bob();
    Picture1->Cls();
    Picture1->Line(0.0f, 0.0f, CSng(bob.x.value()), CSng((-bob.y).value()));
    Picture1->setFillColor(RGB(255, 0, 0));
    Picture1->setFillStyle(Canvas::Solid);
    Picture1->Circle(CSng(bob.x.value()), CSng((-bob.y).value()), 10.0f);
}

void frmSingle::Command1_Click()
{
    Module1::SetWorldScale(*Picture1, -300, 300, 300, -300);
    convertField(fieldName(Text1), [this] { Timer1.setInterval(CLng(Val(fieldText(Text1)))); });
    const auto read = [](const QLineEdit *field) {
        return convertField(fieldName(field), [field] { return Val(fieldText(field)); });
    };
    state.damping = read(Text2);
    state.gravity = read(Text3);
    state.timeStep = read(Text4);
    state.rodLength = read(Text5);
    state.omega = 0.0;
    state.theta = convertField(fieldName(Text6), [this] {
        const CheckedDouble radians = CheckedDouble(CDbl(fieldText(Text6))) * kPi / 180.0;
        return Val(CStr(radians.value()));
    });
    DrawPendulum();
    Timer1.setEnabled(true);
}

void frmSingle::Command2_Click() { Timer1.setEnabled(false); }

void frmSingle::Command3_Click() { Timer1.setEnabled(true); }

void frmSingle::Picture1_MouseDown(short, short, float x, float y)
{
    state.PlaceAt(x, y);
    setFieldText(Text5, CStr(state.rodLength.value()));
    DrawPendulum();
}

void frmSingle::Timer1_Timer()
{
    state.Step();
    DrawPendulum();
}
