#include "mainwindow/Form1.h"

#include "core/Settings.h"

namespace {

Form1*& sharedInstance() {
    static Form1* form = nullptr;
    return form;
}

struct LabelDesign {
    int index;
    const char* caption;
    int left, top, width, height;
    Qt::Alignment alignment;
};

// Design texts and places of the main window's status labels (pixels).
constexpr LabelDesign StatusLabels[] = {
    {0, "Compress to 60% of Original Video Size", 24, 59, 249, 17, Qt::AlignLeft},
    {1, "AAC Audio Bitrate 92Kb/s", 304, 59, 137, 17, Qt::AlignLeft},
    {2, "Speed:", 824, 62, 41, 15, Qt::AlignLeft},
    {3, "Current:", 824, 79, 41, 16, Qt::AlignLeft},
    {4, "Overall:", 824, 96, 41, 17, Qt::AlignLeft},
    {5, "Permitted Types 00", 1080, 60, 129, 16, Qt::AlignHCenter},
    {6, "00.00%", 888, 79, 37, 14, Qt::AlignRight},
    {7, "00.00%", 888, 96, 37, 14, Qt::AlignRight},
    {8, "Current Speed:", 688, 59, 81, 17, Qt::AlignLeft},
    {10, "Preset: ultrafast", 592, 59, 89, 15, Qt::AlignLeft},
    {11, "0.00", 752, 59, 41, 17, Qt::AlignRight},
    {12, "00.00%", 888, 62, 37, 14, Qt::AlignRight},
};

} // namespace

Form1& Form1::instance() {
    Form1*& form = sharedInstance();
    if (!form) {
        form = new Form1();
        form->Form_Load();
    }
    return *form;
}

bool Form1::isLoaded() {
    return sharedInstance() != nullptr;
}

void Form1::unload() {
    delete sharedInstance();
    sharedInstance() = nullptr;
}

Form1::Form1() : Client(new QWidget(this)) {
    setCentralWidget(Client);
    Client->resize(18615 / rt::TwipsPerPixel, 7740 / rt::TwipsPerPixel);
    rt::setBackColour(Client, rt::DarkGrey);
    QFont font("Arial");
    font.setPointSizeF(8.25);
    setFont(font);
    createStatusSurfaces();
    createQueueAndLists();
    createImageButtonBar();
    createTimers();
}

void Form1::createStatusSurfaces() {
    for (const LabelDesign& design : StatusLabels) {
        auto* label = new rt::Label(Client, QString::fromLatin1(design.caption));
        rt::place(label, design.left, design.top, design.width, design.height);
        label->setAlignment(design.alignment | Qt::AlignVCenter);
        label->setForeColour(rt::Orange);
        Label1.add(design.index, label);
    }
    Label15 = new rt::Label(Client, "x2");
    rt::place(Label15, 865, 62, 13, 14);
    Label15->setAlignment(Qt::AlignCenter);
    Label15->setForeColour(rt::LightGrey);

    const int barTops[] = {64, 82, 99};
    for (int i = 0; i < 3; ++i) {
        auto* bar = new rt::ProgressBar(Client);
        rt::place(bar, 928, barTops[i], 129, 9);
        PBar1.add(i, bar);
    }

    const int sliderLefts[] = {24, 304};
    const int ranges[2][3] = {{10, 100, 60}, {5, 160, 92}};
    for (int i = 0; i < 2; ++i) {
        auto* slider = new rt::Slider(Client);
        slider->setRange(ranges[i][0], ranges[i][1]);
        slider->setValue(ranges[i][2]);
        rt::place(slider, sliderLefts[i], 80, 249, 26);
        Slider1.add(i, slider);
    }

    StatusBar1 = new rt::StatusBar(Client);
    StatusBar1->addPanel(); // panel 1 exists from the design
}

void Form1::createQueueAndLists() {
    ListView1 = new rt::ListView(Client);
    rt::place(ListView1, 10, 128, Client->width() - 20, 300);
    ListView1->setListColours(rt::Orange, rt::NearBlack);

    for (int i = 0; i < 2; ++i) {
        auto* box = new rt::PictureBox(i == 0 ? Client : &Picture2(0));
        box->setBackColour(rt::DarkGrey);
        Picture2.add(i, box);
    }
    rt::place(&Picture2(0), 1080, 78, 129, 40);
    rt::place(&Picture2(1), 0, 0, 129, 45);
    List1 = new rt::ListBox(&Picture2(1));
    rt::place(List1, -1, -1, 131, 51);
    rt::setForeColour(List1, rt::Orange);
    rt::setBackColour(List1, rt::DarkGrey);
}

void Form1::createImageButtonBar() {
    Picture15 = new rt::PictureBox(Client);
    for (int i = 0; i < 5; ++i) {
        auto* button = new rt::PictureBox(Picture15);
        rt::place(button, 8 + 40 * i, 0, 32, 32);
        button->setBackColour(rt::NearBlack);
        Picture16.add(i, button);
    }
    Picture16(4).setEnabled(false);
    Line9 = new rt::Line(Picture15);
    Line9->setBorderColour(rt::Silver);
    Line10 = new rt::Line(Picture15);
    Line10->setBorderColour(rt::Silver);
    Shape13 = new rt::Shape(Picture15);
    Shape13->setBorderColour(rt::Silver);
}

void Form1::createTimers() {
    Timer6 = new rt::Timer(this, 500, true);
}

void Form1::Form_Load() {
    CancelRequested = false;
}
