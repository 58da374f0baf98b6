#pragma once
// The program's windows in the one order the start creates them.
//
// Every window exists once for the whole run and is reached through its process-wide
// variable. The table below lists all of them, in creation order; a part of the program
// that brings a window plugs it in at its place (Plug_Window) before the start creates the
// windows, so windows that are not built into a program simply stay out. Steps of other
// windows (the main window's buttons, the language switch) find a window through the
// table, by its class name, and do nothing while it is not there.
#include <functional>

#include "platform/gui/Forms.h"

constexpr int Window_Count = 48;
// Windows whose texts follow a language change, in the order they are relabelled.
constexpr int Change_Language_Count = 43;

struct TWindowEntry {
    const char* ClassName;     // "TFParGen"
    const char* VariableName;  // "FParGen"
    // Set by Plug_Window: creates the window (through Application) and sets its variable.
    std::function<TForm*()> Create{};
    // Clears the window's variable once the window is gone.
    std::function<void()> Forget{};
    // The window's Set_Lang; empty for a window without one.
    std::function<void()> Set_Lang{};
    // The window while it exists.
    TForm* Instance = nullptr;
};

// Entry i (0 .. Window_Count-1) of the creation order.
TWindowEntry& Window_Entry(int Index);
// Index of a class name in the creation order, -1 when it is no window of the program.
int Window_Index(const String& ClassName);
// Class name of entry i of the language-change order.
const char* Change_Language_Class(int Index);

// Plugs a window in at its place. EInvalidArgument for a class name the table lacks.
void Plug_Window_Entry(const String& ClassName, std::function<TForm*()> Create,
                       std::function<void()> Forget, std::function<void()> Set_Lang);

// The window's public Set_Lang, when it has one, is what a language change runs.
template <class T>
void Plug_Window(const String& ClassName, T*& Variable)
{
    T** var = &Variable;
    std::function<void()> setLang;
    if constexpr (requires(T* w) { w->Set_Lang(); })
        setLang = [var] { if (*var) (*var)->Set_Lang(); };
    Plug_Window_Entry(
        ClassName, [var]() -> TForm* { Application->CreateForm(*var); return *var; },
        [var] { *var = nullptr; }, setLang);
}

// Plugs in the shell's own windows: the main window, the new and open configuration
// dialogs, the about window and the options window.
void Plug_Shell_Windows();

// Creates every plugged-in window that does not exist yet, in table order. The main
// window comes first: its creation fills the state and the texts the others read.
void Create_Windows();
// Frees the existing windows, last created first, and clears their variables.
void Free_Windows();

// The window of that class while it exists, else nullptr.
TForm* Find_Window(const String& ClassName);

// Shows the window of that class modally; mrNone (and nothing shown) while it does not exist.
TModalResult Show_Window_Modal(const String& ClassName);

// Runs Set_Lang of every existing window that follows a language change, in order.
void Set_Lang_Of_Windows();
