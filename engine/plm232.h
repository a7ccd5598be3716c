#pragma once
// Every published class of the engine: the root object with its 33 services, the blitter object
// class and the published records.
#include "core/PelmarEngine.h"
#include "core/Records.h"
#include "maps/Bob.h"
