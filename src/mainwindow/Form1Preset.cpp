#include "mainwindow/Form1.h"

#include "core/Settings.h"

namespace {

void setItalic(QWidget& control, bool italic) {
    QFont font = control.font();
    font.setItalic(italic);
    control.setFont(font);
}

} // namespace

// Per preset a ring, a dot in front of it and a caption beside it; the layout at load gives them
// their final places and colours.
void Form1::createPresetShapes() {
    Option1.forEach([this](int i, rt::OptionButton& option) {
        const int left = 72 * (i % 3), top = 20 * (i / 3);
        auto* ring = new CircleShape(Picture13);
        rt::place(ring, left, top, 33, 33);
        ring->setBorderColour(rt::Silver);
        Shape11.add(i, ring);
        auto* dot = new CircleShape(Picture13);
        rt::place(dot, left + 8, top + 8, 17, 17);
        dot->setSolidFill(true);
        Shape12.add(i, dot);
        auto* caption = new rt::Label(Picture13, option.text());
        rt::place(caption, left + 33, top, 46, 15);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        caption->setForeColour(rt::Orange);
        caption->setBackTransparent();
        Label11.add(i, caption);
    });
    setItalic(Label11(0), true);
}

void Form1::connectPresetGroup() {
    Option1.forEach([this](int index, rt::OptionButton& option) {
        connect(&option, &QRadioButton::toggled, this, [this, index](bool selected) {
            if (selected)
                Option1_Click(index);
        });
        connect(&option, &rt::OptionButton::mouseMoved, this,
                [this, index] { Option1_MouseMove(index); });
    });
    Label10.forEach([this](int index, rt::Label& hitArea) {
        connect(&hitArea, &rt::Label::mouseUp, this, [this, index] { Label10_MouseUp(index); });
        connect(&hitArea, &rt::Label::mouseMoved, this,
                [this, index] { Label10_MouseMove(index); });
    });
    Label11.forEach([this](int index, rt::Label& caption) {
        connect(&caption, &rt::Label::mouseUp, this, [this, index] { Label11_MouseUp(index); });
    });
    connect(Picture13, &rt::PictureBox::mouseMoved, this, &Form1::Picture13_MouseMove);
}

PresetSelectorControls Form1::presetSelector() {
    return {*Shape7, *Shape8, *Picture13, Shape11, Shape12, Label11, Label10};
}

// The option buttons hold the choice; each caption is its preset. An index without a button
// names no preset and must not blank the one the passes use.
void Form1::Option1_Click(int Index) {
    if (!Option1.contains(Index))
        return;
    X265Preset = Option1(Index).text();
    StatusBar1->setPanelText(6, "Preset: " + X265Preset);
    Label1(10).setCaption("Preset: " + X265Preset);
    Option1.forEach([](int, rt::OptionButton& option) { setItalic(option, false); });
    setItalic(Option1(Index), true);
}

void Form1::Label10_MouseUp(int Index) {
    SelectPreset(Index);
}

void Form1::Label11_MouseUp(int Index) {
    SelectPreset(Index);
}

void Form1::SelectPreset(int Index) {
    Option1(Index).setChecked(true);
    for (int i : Label11.indices()) {
        setItalic(Label11(i), false);
        Shape11(i).setBorderColour(rt::Silver);
        Shape12(i).setFillColour(rt::Black);
        Shape12(i).setBorderColour(rt::Black);
    }
    setItalic(Label11(Index), true);
    CircleShape& chosen = Shape12(Index);
    chosen.raise();
    chosen.setFillColour(rt::Orange);
    chosen.setBackColour(rt::Orange);
    chosen.setBorderColour(rt::Orange);
}

void Form1::Label10_MouseMove(int Index) {
    Label10.forEach([this](int i, rt::Label&) { Shape11(i).setBorderColour(rt::Silver); });
    Shape11(Index).setBorderColour(rt::White);
}

void Form1::Picture13_MouseMove() {
    Shape11.forEach([](int, CircleShape& ring) { ring.setBorderColour(rt::Silver); });
}

void Form1::Option1_MouseMove(int Index) {
    Option1(Index).setToolTip(" Slower presets, have slightly higher quality ");
}
