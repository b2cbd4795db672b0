// The program's own pictures and its one sound, loaded once at start-up from "media"
// and released at shutdown.
// LoadBitmap is the one bitmap loader of the program: every icon and part image uses it.
#ifndef VOK_GRAPHICS_MEDIA_H
#define VOK_GRAPHICS_MEDIA_H

#include <string>
#include <SDL.h>
#include <SDL_mixer.h>

extern SDL_Surface* BackgroundSurface;  // media/background.bmp, always 320 x 240, no colour key
extern SDL_Surface* CardSurface;        // media/card.bmp: the profile card
extern SDL_Surface* ButtonPadSurface;   // media/button_pad.bmp: pad hint, home screen
extern SDL_Surface* ButtonPad2Surface;  // media/button_pad2.bmp: pad hint, editor and game screen
extern SDL_Surface* ButtonYSurface;     // media/button_y.bmp
extern SDL_Surface* ButtonXSurface;     // media/button_x.bmp
extern SDL_Surface* ButtonBSurface;     // media/button_b.bmp
extern SDL_Surface* ButtonLSurface;     // media/button_l.bmp
extern SDL_Surface* ButtonRSurface;     // media/button_r.bmp
extern SDL_Surface* SelectBarSurface;   // media/select_bar.bmp: the editor's highlighted row
extern SDL_Surface* SelectKeySurface;   // media/selectkey.bmp: key cursor and grid cursor
extern SDL_Surface* DeleteKeySurface;   // media/deletekey.bmp
extern SDL_Surface* ReturnKeySurface;   // media/returnkey.bmp
extern SDL_Surface* CapsKeySurface;     // media/capskey.bmp
extern SDL_Surface* LockKeySurface;     // media/lockkey.bmp
extern SDL_Surface* LockedSurface;      // media/experience.bmp: an achievement not yet unlocked
extern SDL_Surface* UnlockedSurface;    // media/experiencew.bmp: an unlocked achievement without icon
extern SDL_Surface* StarSurface;        // media/star.bmp: one star of the rating
extern Mix_Chunk* NextSound;            // media/next.wav: stepping to another profile or game

// Loads a Windows bitmap as a new 16-bit surface of its own size (cut to the screen's, beyond
// which nothing of it can show) with magenta (255, 0, 255) transparent (run-length encoded; an
// image without a magenta pixel has no key and blits as a plain copy); null when the file is
// missing, no regular file or not a valid bitmap (IsValidBitmap). A bitmap already in the
// screen's 5-6-5 layout is kept as read, a 24-bit one decoded straight into it.
// Caller owns the surface.
SDL_Surface* LoadBitmap(const std::string& path);
// The same from the bytes of a bitmap file; what LoadBitmap does once the file is read.
SDL_Surface* DecodeBitmap(const std::string& bytes);
// True when the headers of a BMP file in `bytes` describe one the decoder can take safely:
// "BM", a known header size, width and height 1 to 1024, one plane, 1, 4, 8, 16, 24 or 32
// bits per pixel with a compression that depth allows, palette and pixels inside the file.
bool IsValidBitmap(const std::string& bytes);
// Run-length encodes a keyed image for ScreenSurface now rather than at its first blit, which
// then costs no more than any other; draws nothing. For images loaded before the first frame.
void PrepareForScreen(SDL_Surface* image);
// Frees a surface (null is fine) and sets the handle to null.
void FreeSurface(SDL_Surface** surface);
extern unsigned SurfacesFreed; // FreeSurface's count of frees: a drawing kept by its images' addresses is stale once it moves

void LoadMedia();   // the 18 media bitmaps in table order
void OpenSound();   // the sound device, before LoadSound; without one the program runs silent
void LoadSound();   // NextSound
void FreeSound();   // NextSound, then the sound device
void FreeMedia();   // every media surface that exists
void PlayNextSound(); // NextSound once on the first free channel, opening a resting device
// Pauses the sound device while no sound plays, so its thread mixes nothing between sounds;
// PlayNextSound resumes it.
void PauseIdleSound();
// Closes the sound device while nothing plays, for a program at rest; PlayNextSound opens it
// again (at the cost of a few milliseconds before that one sound).
void RestSound();

#endif
