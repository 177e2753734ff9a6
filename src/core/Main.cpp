#include "core/Main.h"

#include "core/PermittedTypes.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/EndSignals.h"
#include "theme/ControlLooks.h"

namespace {

// The image-button bar sits in front of the toolbar's left end, over its command buttons.
void PlaceImageButtonBar(Form1& form) {
    form.Picture15->setBackColour(0x202020);
    rt::place(form.Picture15, 0, 0, 225, 37);
    form.Picture15->raise();
    const QRect start = form.Picture16(2).geometry();
    const int line9X = start.left() - 4;
    form.Line9->setPoints(line9X, 4, line9X, 35);
    const int line10X = line9X + start.width() + 7;
    form.Line10->setPoints(line10X, 4, line10X, 35);
    form.Shape13->hide();
    for (int i = 0; i <= 4; ++i)
        form.Picture16(i).move(form.Picture16(i).x(), 2);
    form.Timer6->setEnabled(false);
}

} // namespace

void Main() {
    ShowThreadWindows = false;
    CancelRequested = false;
    OutputLocation = SourceDirectoryLocation;
    Form1& form = Form1::instance();
    AudioCodec = "aac";
    X265Preset = "ultrafast";
    AudioBitrateKbps = 92;
    LoadPermittedTypes();
    SetupQueueColumns();
    SetupStatusPanels();
    PlaceImageButtonBar(form);
    form.show();
    for (int i = 0; i < 2; ++i)
        SetSliderTipActive(&form.Slider1(i), false);
    SetFlatListViewHeaders(*form.ListView1);
}

void CloseOnEndSignals() {
    rt::onEndSignals([] { Form1::instance().Form_QueryUnload(); });
}
