#pragma once
// The program's help: a control asks for a topic by its context number; the program
// installs the handler that shows it.
#include <functional>

// The handler of help requests; it answers whether a topic was shown.
std::function<bool(int Context)>& HelpHandler();
// Shows the topic of Context (not 0); false when nothing showed it.
bool ShowHelpContext(int Context);
