#include "gridedit/ExtStringGridCheck.h"

String TExtStringGridCheck::MarkError(int, int, const String& S) { return S; }

String TExtStringGridCheck::Correct(int, int, const String& S) { return S; }

void TExtStringGridCheck::StartCheck() {}

void TExtStringGridCheck::StopCheck() {}
