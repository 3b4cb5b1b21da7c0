// What stands between the headless model and the operator: the event loop,
// the dialogs, and change notices for whatever draws the panels. The Qt view
// implements it; tests install scripted ones. Nothing is owned here.
#pragma once

#include <string>

#include "platform/userint/userint.h"

namespace userint {

struct FileSelectRequest {
    std::string directory;
    std::string pattern;  // "*.zan"
    std::string fileTypeList;
    std::string title;
    int buttonKind = 0;  // VAL_LOAD_BUTTON or VAL_SAVE_BUTTON
    bool restrictDirectory = false;
    bool restrictExtension = false;
    bool allowCancel = true;
    bool allowMakeDirectory = false;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Returns once the operator acknowledged the box.
    virtual void message(const std::string& title, const std::string& text) = 0;
    // "Ja" (true) or "Nein" (false).
    virtual bool confirm(const std::string& title, const std::string& text) = 0;
    // VAL_NO_FILE_SELECTED, or a path and VAL_EXISTING_FILE_SELECTED / VAL_NEW_FILE_SELECTED.
    virtual int selectFile(const FileSelectRequest& request, std::string* path) = 0;
};

class View {
  public:
    virtual ~View() = default;
    // Runs until quit() is called; events reach the model through the Dispatch* calls.
    virtual void run() = 0;
    virtual void quit() = 0;
    // A panel was shown, hidden, installed or removed as a popup, or retitled.
    virtual void panelChanged(int panel) = 0;
    // A control's value or an attribute changed (also while a callback runs).
    virtual void controlChanged(int panel, int control) = 0;
    // Keyboard focus asked for.
    virtual void focusRequested(int panel, int control) = 0;
    // A menu item's name or dimmed state changed.
    virtual void menuChanged(int /*panel*/, int /*menuItem*/) {}
    // A text of the program in the language the view shows; the German source
    // text itself when the view has no translation for it.
    virtual std::string translate(const char* text) { return text; }
    // The control as shown, as PNG bytes in *png; 0 or a UiStatus.
    virtual int controlPng(int /*panel*/, int /*control*/, std::string* /*png*/) {
        return kUiUnsupported;
    }
};

// Installs the dialogs and the view; nullptr removes them. Without a view,
// RunUserInterface runs the headless loop of the posted events (model.h).
void SetDialogs(Dialogs* dialogs);
void SetView(View* view);

// The installed view's translate(), the text itself without a view.
std::string Translate(const char* text);

}  // namespace userint
