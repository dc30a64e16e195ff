#pragma once

class QComboBox;

// Shows a model index in a selector.  The sanity pass repairs an index the
// selector has no item for before a page shows it; should one reach a box
// all the same, the box shows an empty selection and the model value stays
// untouched: the -1 of the empty selection never reaches the box's change
// handler.
void showSelection(QComboBox *box, int index);
