#pragma once
// The drum and the board geometry live in the core beside the game model.
#include "common/trommel.h"
