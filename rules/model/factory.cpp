#include "factory.h"

#include "configmodel.h"

void factoryDefaults(ConfigModel &m)
{
    ConfigModel factory;
    // The factory alarm is 3.7 V; a started tool shows 11.0 V until a read.
    // VoltTenths is 37 in both, so only the double differs.
    factory.Volt = 3.7;
    factory.DR_RATE = m.DR_RATE;
    factory.Vertion = m.Vertion;
    m = factory;
}

void factoryTrimsAndSteps(ConfigModel &m)
{
    const ConfigModel factory;
    for (int k = 0; k < 4; ++k) {
        m.StkTrim[k] = factory.StkTrim[k];
        m.StkStep[k] = factory.StkStep[k];
    }
}
