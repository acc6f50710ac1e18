#pragma once
struct MediaThing {};
