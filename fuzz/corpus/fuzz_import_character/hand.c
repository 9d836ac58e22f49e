// Grunt, written by hand.
#include "chars.h"

skill 4
{
	CHARACTERISTIC_NAME					"Grunt"
	CHARACTERISTIC_GENDER				"MALE"
	CHARACTERISTIC_ATTACK_SKILL			.8
	CHARACTERISTIC_WEAPONWEIGHTS		"bots/grunt_w.c"
	CHARACTERISTIC_AIM_SKILL			1
	CHARACTERISTIC_AIM_ACCURACY			0.75000
	CHARACTERISTIC_VIEW_FACTOR			1.5      // too high
	CHARACTERISTIC_VIEW_MAXCHANGE		180
	CHARACTERISTIC_REACTIONTIME			1.255
	CHARACTERISTIC_CHAT_FILE			"bots/grunt_t.c"
	CHARACTERISTIC_CHAT_NAME			"Grunt"
	CHARACTERISTIC_CHAT_CPM				400
	CHARACTERISTIC_CROUCHER				-0.5
	CHARACTERISTIC_ITEMWEIGHTS			"bots/grunt_i.c"
	CHARACTERISTIC_FOO					0.5
}

skill 1 {
  0   "Grunt"
  1   "male"
  2   0.25
  3   "bots/grunt_w.c"
  4   0.5
  5   90
  6   3
  7   .2
  8 .3  9 .3  10 .3  11 .3  12 .3  13 .3  14 .3  15 .3
  16  0.25
  17 0.3 18 0.3 19 0.3 20 0.3
  21  "bots/grunt_t.c"
  22  "grunt"
  23  400
  24 .5 25 .5 26 .5 27 .5 28 .5 29 .5 30 .5 31 .1 32 .5 33 .5 34 .5 35 .5
  36 0 37 0 38 .5 39 .5
  40  "bots/grunt_i.c"
  41 .25 42 .5 43 .25 44 .25 45 .5 46 .5 47 .3 48 0
}

/* An extra level the designer does not have. */
skill 2
{
	CHARACTERISTIC_ATTACK_SKILL	0.5
}
