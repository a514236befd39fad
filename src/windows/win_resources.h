// The numbers of the program's resources (kippura-x.rc), shared by the resource script and the code.
#pragma once

#define KX_ICON_RESOURCE 1
