#include "profile/avatar.h"

#include <cstdio>
#include <sys/stat.h>

#include "frame/state.h"
#include "graphics/media.h"
#include "store/store_files.h"

const AvatarPartInfo AvatarParts[AvatarPartCount] = {
    { "base", &ProfileRecord::base },
    { "eyes", &ProfileRecord::eyes },
    { "browns", &ProfileRecord::browns },
    { "nose", &ProfileRecord::nose },
    { "ears", &ProfileRecord::ears },
    { "mouth", &ProfileRecord::mouth },
    { "facial", &ProfileRecord::facial },
    { "hair", &ProfileRecord::hair },
    { "tatoo", &ProfileRecord::tatoo },
    { "clothes", &ProfileRecord::clothes },
};

std::vector<std::string> AvatarPartFiles[AvatarPartCount];
std::vector<SDL_Surface*> AvatarPartImages[AvatarPartCount];
const SDL_Rect AvatarOrigin = { 50, 60, 0, 0 };

// Layers lower in this list are covered by later ones: paint and beard lie under the
// eyes, the ears over the hair, the clothes over everything.
static const AvatarPart DrawingOrder[AvatarPartCount] = {
    AvatarBase, AvatarTatoo, AvatarMouth, AvatarFacial, AvatarEyes,
    AvatarNose, AvatarBrowns, AvatarHair, AvatarEars, AvatarClothes,
};

static const int MaxPartImages = 99;

void ScanStore()
{
    if (!PathExists(StoreRoot)) mkdir(StoreRoot.c_str(), 0755); // a failure shows later as an empty card
    ScanAvatarParts();
    ScanProfiles();
}

std::string AvatarPartName(int part, int number)
{
    if (part < 0 || part >= AvatarPartCount || number < 1 || number > MaxPartImages) return "";
    char name[64];
    std::sprintf(name, number < 10 ? "vok_%s_0%i.bmp" : "vok_%s_%i.bmp", AvatarParts[part].key, number);
    return name;
}

std::string AvatarPartFileName(int part, int number)
{
    const std::string name = AvatarPartName(part, number);
    return name.empty() ? name : "media/" + name;
}

void ScanAvatarParts()
{
    for (int part = 0; part < AvatarPartCount; ++part) {
        std::vector<std::string>& files = AvatarPartFiles[part];
        files.clear();
        for (int number = 1; number <= MaxPartImages; ++number) {
            std::string name = AvatarPartFileName(part, number);
            if (!PathExists(name)) break; // a file beyond a gap is never seen
            files.push_back(name);
        }
    }
}

void LoadAvatarImages()
{
    for (int part = 0; part < AvatarPartCount; ++part) {
        std::vector<SDL_Surface*>& images = AvatarPartImages[part];
        for (size_t i = 0; i < images.size(); ++i) FreeSurface(&images[i]);
        images.clear();
        const std::vector<std::string>& files = AvatarPartFiles[part];
        for (size_t i = 0; i < files.size(); ++i) images.push_back(LoadBitmap(files[i])); // null keeps its slot
    }
}

int PartNumber(const std::string& text)
{
    return static_cast<int>(ReadDecimal(text, 1000)); // far above any image count
}

// The image a layer's part number selects, or null when it selects none.
static SDL_Surface* SelectedImage(const ProfileRecord& record, int part)
{
    const std::vector<SDL_Surface*>& images = AvatarPartImages[part];
    int number = PartNumber(record.*AvatarParts[part].field);
    if (number < 1 || number > int(images.size())) return 0;
    return images[number - 1];
}

void DrawAvatar(const ProfileRecord* record)
{
    if (!record || !ScreenSurface) return;
    for (int i = 0; i < AvatarPartCount; ++i) {
        SDL_Surface* image = SelectedImage(*record, DrawingOrder[i]);
        if (!image) continue;
        SDL_Rect at = AvatarOrigin; // the blit writes the clipped size back
        SDL_BlitSurface(image, 0, ScreenSurface, &at);
    }
}
