#pragma once

#include <QString>

struct MonitorState;

// Values for one channel's pair of monitor bars.  The upper bar (range
// 0..1010) shows outputs below the centre value 1000, the lower bar
// (range 0..1000) outputs above it.  A value outside a bar's range is
// meant to be refused by the bar, which then keeps what it showed.
struct ServoBars
{
    int upper;
    int lower;
};
ServoBars servoBars(int servo);

// Transmitter battery, hundredths of a volt: " 8.4V" below 10 V,
// "12.3 V" from 10 V on; truncated to tenths.
QString txVoltText(int hundredths);

// Receiver and power battery, tenths of a volt, in the same two forms.
QString batteryText(int tenths);

// A stored trim as the system page shows it: "(n)", n its distance from
// kTrimCentre, negative to one side.
QString trimText(int stored);

// Signal strength from the raw byte: "null" for no signal, otherwise
// "-NNdBm" with two digits.
QString rssiText(int raw);

// The live values as before the first packet (bars at rest, " 0.0V",
// "null"): what the monitor shows while no transmitter is connected.
void restLiveValues(MonitorState &m);
