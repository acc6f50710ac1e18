#pragma once
int Conv_Start(long handle);
