#pragma once
// The ids of the resources, shared by the resource script and the code.

#define IDI_QUORVEL 1
#define IDB_IMAGES_16 101
#define IDB_IMAGES_20 102
#define IDB_IMAGES_24 103
#define IDB_IMAGES_32 104
#define IDB_IMAGES_48 105
