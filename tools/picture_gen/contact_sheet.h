// One PNG that shows every picture side by side with its name, for judging the art at a glance.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace picgen {

// Pictures are enlarged `scale` times (each pixel a scale x scale block) on a neutral grey.
void write_contact_sheet(const std::vector<Picture>& pictures, int scale, const std::string& path);

}  // namespace picgen
