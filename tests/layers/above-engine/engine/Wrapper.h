#pragma once
#include <orlcodec.h> // passed on to every folder that includes this header: refused
struct orl_picture; // the library's record named by an engine header: refused
