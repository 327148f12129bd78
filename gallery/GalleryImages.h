// The glyphs of the gallery's menus, drawn rather than carried as a resource.
#pragma once

#include "ImgList.h"

enum TGalleryImage { giOpen, giRecent, giExit, giPages, giWindows, giCount };

// Replaces the list's images with the gallery's 16 x 16 glyphs, in TGalleryImage order.
void LoadGalleryImages(TImageList& list);
