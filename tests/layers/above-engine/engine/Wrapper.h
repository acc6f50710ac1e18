#pragma once
#include <orlcodec.h> // passed on to every folder that includes this header: refused
