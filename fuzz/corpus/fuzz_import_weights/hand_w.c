#include "inv.h"

// Grunt likes rockets.
#define W_ROCKETLAUNCHER	400
#define W_GAUNTLET			5
#define W_SHOTGUN 		250.6
#define W_RAILGUN	600   /* far too much */
#define W_PLASMAGUN		(100)
#define W_NAILGUN		50
#define W_MACHINEGUN 10
#define W_GRENADELAUNCHER 10
#define W_BFG10K 10
#define W_LIGHTNING 10

#include "fw_weap.c"
