#pragma once

// Factory settings of the transmitter.  GUI-free: they only assign model
// fields.  DR_RATE (derived) and Vertion (reported by the transmitter) are
// left as they are.

struct ConfigModel;

// Channels, dual rate, attitude, mixing, aux sources, Volt, Mode and the
// first two programmable mixes.
void factoryDefaultsFirst(ConfigModel &m);
// The last two programmable mixes, receiver and power voltages, signal
// alarm, throttle curve, exponentials, trims and trim steps.
void factoryDefaultsSecond(ConfigModel &m);
// Centred trims and the factory trim steps.
void factoryTrimsAndSteps(ConfigModel &m);
