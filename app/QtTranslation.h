#pragma once
class QCoreApplication;

// Loads Qt's own Japanese texts, so that the buttons of Qt's dialogs (the
// input boxes, the colour picker) speak the interface's language. Returns
// false, changing nothing, when Qt's translations are not installed.
bool installQtJapanese(QCoreApplication &app);
