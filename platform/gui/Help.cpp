#include "platform/gui/Help.h"

std::function<bool(int Context)>& HelpHandler()
{
    static std::function<bool(int)> handler;
    return handler;
}

bool ShowHelpContext(int Context) { return Context != 0 && HelpHandler() && HelpHandler()(Context); }
