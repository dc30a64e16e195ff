#pragma once

// Factory settings of the transmitter.  GUI-free: they only assign model
// fields.

struct ConfigModel;

// Every setting to its factory value: the model's initial values, except
// the alarm voltage Volt.  DR_RATE (derived) and Vertion (reported by the
// transmitter) are not settings and stay as they are.
void factoryDefaults(ConfigModel &m);
// Centred trims and the factory trim steps.
void factoryTrimsAndSteps(ConfigModel &m);
