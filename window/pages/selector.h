#pragma once

class QComboBox;

// Shows a model index in a selector.  The model may hold an index the
// selector has no item for (the transmitter and saved files allow more
// values than the items cover).  Then the box shows an empty selection and
// the model value stays untouched: the -1 of the empty selection never
// reaches the box's change handler, and the value goes out again unchanged
// until the user picks an item.
void showSelection(QComboBox *box, int index);
