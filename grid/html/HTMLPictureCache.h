#pragma once
// The grid's picture cache and the picture container live with the picture class.
#include "grid/html/PictureContainer.h"
