#pragma once
// A record reaching up into the engine: the check must refuse it.
#include "MediaThing.h"
