// The matrix editor: its callbacks are ClCallback members (editor.cpp); the
// menu items it makes inactive while it runs.
#pragma once

// Makes the items that could disturb the editor inactive (a layout change, a
// graph toggle, files, history, "Execute") and puts the input pane aside.
void editDisableItems();
// Undoes editDisableItems; the graph items only while the graph is open.
void editEnableItems();
