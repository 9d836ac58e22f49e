// Grunt's items: a complete weight script of its own.
#include "inv.h"

weight "item_health"
{
	switch(INVENTORY_HEALTH)
	{
		case 50: return 100;
		default: return 10;
	}
}
