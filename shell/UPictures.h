#pragma once
// The pictures of the shell's buttons and of the about window, drawn in code: small
// flat symbols on a transparent background (the button takes the colour of the lower-left
// pixel as transparent).
#include <memory>

#include "platform/gui/Graphics.h"

class TLbButton;

enum TPicture_Kind {
    bpInfo,        // about window
    bpOptions,     // options window
    bpClose,       // end of the program
    bpNew,         // new configuration
    bpOpen,        // open configuration
    bpParameters,  // communication parameters
    bpRadio,       // radio network access
    bpBus,         // field bus access
    bpUpdate,      // update of the device
    bpTable,       // the editors of the other models
    bpLogo,        // the maker's logo (on the window colour, not transparent)
};

// Colour of the transparent background of the button pictures.
constexpr TColor Picture_Transparent = clFuchsia;

// The picture at its natural size: 32 x 32 for the title buttons (info, options, close),
// 64 x 64 for the logo, 24 x 24 for the others.
std::unique_ptr<TBitmap> Make_Picture(TPicture_Kind Kind);

// Gives the button the picture as its one glyph.
void Set_Button_Picture(TLbButton* Button, TPicture_Kind Kind);
