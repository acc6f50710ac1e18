#pragma once
#include <orlcodec.h>
