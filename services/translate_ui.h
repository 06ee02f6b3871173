#pragma once
// Translation of real windows and menus through the language file: the texts
// are read out of the widgets, translated as plain data (translation.h) and
// the translations put back.
class QWidget;

// Translates the caption (window title) and the texts of the controls that
// carry a control id (labels, buttons, group boxes) of a dialog, property
// page or form view. A child window of its own (another dialog or page inside
// it) is left to translate itself. Nothing happens in German.
void TranslateDialog(QWidget* window, int templateId, int subId = 0);

// Translates a menu bar or a menu: its popups by position, its items by
// command id (the QAction's data, as the command table sets it), one level of
// nested popups deep. subId < 0 selects the section "[Menu-<id>]"; count > 0
// limits the top-level items to the first count.
void TranslateMenu(QWidget* menu, int menuId, int subId = -1, int count = -1);

// Qt's own dialogs and buttons (print, preview, file and folder choosers,
// message-box buttons) speak the program's language: Qt's translations of the
// distribution for the current language code, German when it is empty or
// German. Replaces what an earlier call installed; false when the language
// has none.
bool InstallQtTranslations();
