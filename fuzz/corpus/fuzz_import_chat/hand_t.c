// Two chat blocks; the character file asks for "Grunt".
chat "other"
{
	type "game_enter" { "not this one"; }
}

chat "GRUNT"
{
	#include "teamplay.h"

	type "game_enter" //hello
	{
		"Hello, ", 0, "!";
		"Two"; "on one line";
		"spread over",
			" two lines";
		"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx";
		Hello everyone;
	}

	type "death_rail"
	{
		"line 1";
		"line 2";
		"line 3";
		"line 4";
		"line 5";
		"line 6";
		"line 7";
		"line 8";
		"line 9";
		"line 10";
		"line 11";
	}

	type "level_flag_capture"
	{
		"Got it!";
	}
}
