#pragma once

#include <string>

struct ConfigModel;

// The model's integer field of that name, spelt as in the model ("sub3",
// "PRM02_Data1", array entries as "StkTrim[2]"); nullptr for any other
// name.  Lets tests walk the model alongside another list of named fields.
int *modelField(ConfigModel &m, const std::string &name);

struct IntRange
{
    int lo;
    int hi;
};

// Values of a field, by name, that survive a trip to the transmitter and
// back: what the tool accepts from the transmitter (`editable` false) or
// what its editors let a user enter and its selectors can show (`editable`
// true), both cut to what the frames and packets carry.  Voltages are
// given in tenths.  {0, 0} for an unknown name.
IntRange fieldRange(const std::string &name, bool editable);
