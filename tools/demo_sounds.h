#pragma once
// The demo's sounds, made from nothing but maths: effects written as wave files, the two
// music loops compressed with FFmpeg's encoders, and the sounds the demo's movies carry.
// Every voice is a function of time in seconds giving a sample in -1..1.
#include <string>

// Effects.
double doorSound(double t);    // a creak, then the latch (1.2 s)
double gravelSteps(double t);  // four steps on gravel (1.6 s)
double stoneSteps(double t);   // four steps on stone flags (1.6 s)
double bucketSound(double t);  // the bucket knocks and splashes (1.3 s)
double chimeSound(double t);   // a bell-like chime (2.5 s)
// Movie sound.
double titleMusic(double t);  // a slow swelling chord with a bell (6 s)
double trickle(double t);     // water trickling, seamless over 2 s
double sunrise(double t);     // a rising major chord (4 s)

// Writes the five effects as 16-bit mono wave files and the two music loops, "garden.ogg"
// (outdoors) and "house.ogg" (indoors), as Ogg Vorbis into `folder`. Empty on success,
// else what failed.
std::string writeDemoSounds(const std::string& folder);
