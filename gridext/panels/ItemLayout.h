#pragma once
// Where an item's caption sits beside its picture: shared by the button panels and the
// item selectors of the pickers, so a unit may use both.
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };
