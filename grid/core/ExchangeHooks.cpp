#include "grid/core/ExchangeHooks.h"

TGridExchangeHooks& GridExchangeHooks()
{
    static TGridExchangeHooks hooks;
    return hooks;
}
