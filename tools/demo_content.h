// What the demo card holds: eight games with their achievements in up to four languages,
// and four players with their progress in some of those games. Texts are written here in
// UTF-8; make_demo_card converts them to Latin-1, the card's character set.
#ifndef VOK_TOOLS_DEMO_CONTENT_H
#define VOK_TOOLS_DEMO_CONTENT_H

#include <cstdio>
#include <string>
#include <vector>

// The four languages the program ships, as the language files name them (UTF-8 here).
enum DemoLanguage { English, Deutsch, Francais, Espanol, DemoLanguageCount };
inline const char* const DemoLanguageNames[DemoLanguageCount] = { "English", "Deutsch", "Français", "Español" };

struct DemoText {
    std::string name;        // empty: the game has no text in that language
    std::string description;
};

struct DemoAchievement {
    int points = 0;
    bool hidden = false;
    DemoText text[DemoLanguageCount];
};

struct DemoGame {
    std::string folder;               // game folder name inside every player's folder
    std::string title;
    std::string author;
    unsigned languages = 0;           // bit per DemoLanguage: a "vok.desc." file of it
    int defaultLanguage = English;    // written again as "vok.desc.default"; -1: none
    int textLanguage = English;       // named in "vok.lang"
    std::string emblems;              // emblem letters cycled over the achievements (demo_icons.h)
    char gameEmblem = 'S';            // the emblem of "vok.icon"
    int iconSize = 24;                // "vok.icon" is this many pixels square
    unsigned theme[2] = { 0, 0 };     // tile colours, top and bottom
    std::vector<int> missingIcons;    // achievement ids without an icon file
    std::vector<DemoAchievement> achievements; // id = position + 1
};

// One game as one player has played it.
struct DemoPlay {
    std::string game;      // DemoGame::folder
    std::string unlocked;  // "1" per unlocked achievement in id order, "0" or nothing after: locked; "*": all
    int favourite = 0;     // favourite score of the summary (minutes played)
    int daysAgo = 0;       // age of "vok.dat", which orders the completed games
    bool afterCache = false; // played after the cached totals: only the update marker tells
};

struct DemoPlayer {
    std::string name;
    int language = English;
    const char* avatar[10]; // base, eyes, browns, nose, ears, mouth, facial, hair, tatoo, clothes
    bool updateMarker = false;
    std::vector<DemoPlay> plays;
};

inline std::string DemoFormat(const char* format, int value)
{
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

inline std::string DemoFormat(const char* format, const std::string& value)
{
    char text[128];
    std::snprintf(text, sizeof text, format, value.c_str());
    return text;
}

inline DemoAchievement DemoEntry(int points, bool hidden, DemoText en, DemoText de = {}, DemoText fr = {},
                                 DemoText es = {})
{
    DemoAchievement a;
    a.points = points;
    a.hidden = hidden;
    a.text[English] = en;
    a.text[Deutsch] = de;
    a.text[Francais] = fr;
    a.text[Espanol] = es;
    return a;
}

inline unsigned DemoLanguages(std::initializer_list<int> languages)
{
    unsigned bits = 0;
    for (int l : languages) bits |= 1u << l;
    return bits;
}

inline DemoGame StarRacer()
{
    DemoGame g;
    g.folder = "starracer";
    g.title = "Star Racer";
    g.author = "Nova Works";
    g.languages = DemoLanguages({ English, Deutsch, Francais, Espanol });
    g.emblems = "FZLSTWCK";
    g.gameEmblem = 'S';
    g.theme[0] = 0x4B5BD6;
    g.theme[1] = 0x1E2468;
    g.missingIcons = { 9 };
    auto& a = g.achievements;
    a.push_back(DemoEntry(10, false, { "First Lap", "Finish your first race." }, { "Erste Runde", "Beende dein erstes Rennen." },
                          { "Premier tour", "Termine ta première course." }, { "Primera vuelta", "Termina tu primera carrera." }));
    a.push_back(DemoEntry(15, false, { "Podium", "Finish a race in the top three." },
                          { "Siegertreppchen", "Beende ein Rennen unter den ersten drei." },
                          { "Podium", "Termine une course dans les trois premiers." },
                          { "Podio", "Termina una carrera entre los tres primeros." }));
    a.push_back(DemoEntry(30, false, { "Gold Cup", "Win every race of the Gold Cup." },
                          { "Goldpokal", "Gewinne jedes Rennen des Goldpokals." },
                          { "Coupe d'or", "Gagne toutes les courses de la Coupe d'or." },
                          { "Copa de oro", "Gana todas las carreras de la Copa de oro." }));
    a.push_back(DemoEntry(20, false, { "Speed Demon", "Reach 300 km/h on any track." },
                          { "Temposünder", "Erreiche 300 km/h auf einer beliebigen Strecke." },
                          { "Démon de la vitesse", "Atteins 300 km/h sur n'importe quel circuit." },
                          { "Demonio veloz", "Alcanza 300 km/h en cualquier circuito." }));
    a.push_back(DemoEntry(15, false, { "Clean Driver", "Finish a race without touching a wall." },
                          { "Sauber gefahren", "Beende ein Rennen, ohne eine Wand zu berühren." },
                          { "Pilote propre", "Termine une course sans toucher un mur." },
                          { "Piloto limpio", "Termina una carrera sin tocar ningún muro." }));
    a.push_back(DemoEntry(10, false, { "Nitro Fan", "Use nitro 100 times." }, { "Nitro-Fan", "Setze 100-mal Nitro ein." },
                          { "Fan de nitro", "Utilise le nitro 100 fois." }, { "Fan del nitro", "Usa el nitro 100 veces." }));
    a.push_back(DemoEntry(10, false, { "Comet Tail", "Draft behind a rival for ten seconds." },
                          { "Kometenschweif", "Fahre zehn Sekunden im Windschatten eines Gegners." },
                          { "Queue de comète", "Reste dix secondes dans l'aspiration d'un rival." },
                          { "Cola de cometa", "Ve diez segundos a rebufo de un rival." }));
    a.push_back(DemoEntry(20, false, { "Night Rider", "Win a race on the Moon Circuit." },
                          { "Nachtfahrer", "Gewinne ein Rennen auf dem Mondkurs." },
                          { "Pilote de nuit", "Gagne une course sur le circuit lunaire." },
                          { "Piloto nocturno", "Gana una carrera en el circuito lunar." }));
    a.push_back(DemoEntry(25, false, { "Photo Finish", "Win by less than a tenth of a second." },
                          { "Fotofinish", "Gewinne mit weniger als einer Zehntelsekunde Vorsprung." },
                          { "Photo-finish", "Gagne avec moins d'un dixième de seconde d'avance." },
                          { "Foto finish", "Gana por menos de una décima de segundo." }));
    a.push_back(DemoEntry(15, false, { "Garage Guru", "Upgrade every part of one car." },
                          { "Werkstattprofi", "Rüste jedes Teil eines Wagens auf." },
                          { "As du garage", "Améliore toutes les pièces d'une voiture." },
                          { "Genio del taller", "Mejora todas las piezas de un coche." }));
    a.push_back(DemoEntry(25, false, { "Time Trialist", "Beat every ghost in time trial mode." },
                          { "Zeitfahrer", "Schlage jeden Geist im Zeitfahren." },
                          { "Contre-la-montre", "Bats tous les fantômes en contre-la-montre." },
                          { "Contrarreloj", "Vence a todos los fantasmas en contrarreloj." }));
    a.push_back(DemoEntry(50, true, { "Star Champion", "Win the Galaxy Grand Prix on Hard." },
                          { "Sternchampion", "Gewinne den Galaxie-Grand-Prix auf Schwer." },
                          { "Champion des étoiles", "Gagne le Grand Prix galactique en difficile." },
                          { "Campeón estelar", "Gana el Gran Premio galáctico en difícil." }));
    return g;
}

inline DemoGame DungeonDash()
{
    DemoGame g;
    g.folder = "dungeondash";
    g.title = "Dungeon Dash";
    g.author = "Crypt Kids";
    g.languages = DemoLanguages({ English, Deutsch, Francais, Espanol });
    g.emblems = "KWPHXCGOTM";
    g.gameEmblem = 'W';
    g.iconSize = 22;
    g.theme[0] = 0x7E6A93;
    g.theme[1] = 0x3A2C48;
    g.missingIcons = { 17, 22 };
    auto& a = g.achievements;
    for (int floor = 1; floor <= 10; ++floor) {
        a.push_back(DemoEntry(floor == 10 ? 25 : 5, false,
                              { DemoFormat("Floor %d", floor), DemoFormat("Reach floor %d of the dungeon.", floor) },
                              { DemoFormat("Etage %d", floor), DemoFormat("Erreiche Etage %d des Verlieses.", floor) },
                              { DemoFormat("Étage %d", floor), DemoFormat("Atteins l'étage %d du donjon.", floor) },
                              { DemoFormat("Piso %d", floor), DemoFormat("Llega al piso %d de la mazmorra.", floor) }));
    }
    a.push_back(DemoEntry(10, false, { "Key Keeper", "Carry five keys at once." },
                          { "Schlüsselhüter", "Trage fünf Schlüssel gleichzeitig." },
                          { "Gardien des clés", "Porte cinq clés à la fois." }, { "Guardián de llaves", "Lleva cinco llaves a la vez." }));
    a.push_back(DemoEntry(15, false, { "Trap Dancer", "Cross a room of spikes without a scratch." },
                          { "Fallentänzer", "Durchquere einen Stachelraum ohne Kratzer." },
                          { "Danseur de pièges", "Traverse une salle de pics sans une égratignure." },
                          { "Bailarín de trampas", "Cruza una sala de pinchos sin un rasguño." }));
    a.push_back(DemoEntry(10, false, { "Slime Slayer", "Defeat 50 slimes." }, { "Schleimjäger", "Besiege 50 Schleime." },
                          { "Tueur de slimes", "Bats 50 slimes." }, { "Cazababosas", "Derrota a 50 babosas." }));
    a.push_back(DemoEntry(15, false, { "Skeleton Crew", "Defeat a whole band of skeletons." },
                          { "Knochentruppe", "Besiege eine ganze Skelettbande." },
                          { "Équipe de squelettes", "Bats toute une bande de squelettes." },
                          { "Tripulación ósea", "Derrota a toda una banda de esqueletos." }));
    a.push_back(DemoEntry(10, false, { "Torch Bearer", "Light every torch on one floor." },
                          { "Fackelträger", "Entzünde jede Fackel einer Etage." },
                          { "Porte-flambeau", "Allume toutes les torches d'un étage." },
                          { "Portaantorchas", "Enciende todas las antorchas de un piso." }));
    a.push_back(DemoEntry(10, false, { "Gold Digger", "Collect 1000 gold coins." }, { "Goldgräber", "Sammle 1000 Goldmünzen." },
                          { "Chercheur d'or", "Ramasse 1000 pièces d'or." }, { "Buscador de oro", "Reúne 1000 monedas de oro." }));
    a.push_back(DemoEntry(20, false, { "Potion Master", "Brew every potion in the book." },
                          { "Trankmeister", "Braue jeden Trank aus dem Buch." },
                          { "Maître des potions", "Prépare toutes les potions du grimoire." },
                          { "Maestro de pociones", "Prepara todas las pociones del libro." }));
    a.push_back(DemoEntry(20, false, { "Speed Runner", "Clear a floor in under a minute." },
                          { "Schnellläufer", "Schaffe eine Etage in unter einer Minute." },
                          { "Sprinteur", "Termine un étage en moins d'une minute." },
                          { "Corredor veloz", "Supera un piso en menos de un minuto." }));
    a.push_back(DemoEntry(20, false, { "Pacifist", "Clear a floor without attacking." },
                          { "Pazifist", "Schaffe eine Etage, ohne anzugreifen." },
                          { "Pacifiste", "Termine un étage sans attaquer." }, { "Pacifista", "Supera un piso sin atacar." }));
    a.push_back(DemoEntry(30, true, { "Dragon Tamer", "Befriend the dragon instead of fighting it." },
                          { "Drachenzähmer", "Freunde dich mit dem Drachen an, statt ihn zu bekämpfen." },
                          { "Dompteur de dragon", "Deviens l'ami du dragon au lieu de le combattre." },
                          { "Domador de dragones", "Hazte amigo del dragón en lugar de luchar." }));
    a.push_back(DemoEntry(15, true, { "Secret Door", "Find the door behind the waterfall." },
                          { "Geheimtür", "Finde die Tür hinter dem Wasserfall." },
                          { "Porte secrète", "Trouve la porte derrière la cascade." },
                          { "Puerta secreta", "Encuentra la puerta tras la cascada." }));
    a.push_back(DemoEntry(25, false, { "No Map Needed", "Finish the dungeon without opening the map." },
                          { "Ohne Karte", "Beende das Verlies, ohne die Karte zu öffnen." },
                          { "Sans carte", "Finis le donjon sans ouvrir la carte." },
                          { "Sin mapa", "Termina la mazmorra sin abrir el mapa." }));
    a.push_back(DemoEntry(50, false, { "Dungeon Master", "Clear all ten floors on one life." },
                          { "Verliesmeister", "Schaffe alle zehn Etagen mit einem Leben." },
                          { "Maître du donjon", "Termine les dix étages avec une seule vie." },
                          { "Señor de la mazmorra", "Supera los diez pisos con una sola vida." }));
    return g;
}

inline DemoGame GemMiner()
{
    DemoGame g;
    g.folder = "gemminer";
    g.title = "Gem Miner";
    g.author = "Pebble Soft";
    g.languages = DemoLanguages({ English, Deutsch, Espanol });
    g.emblems = "GGGPLXCOGM";
    g.gameEmblem = 'G';
    g.theme[0] = 0x34B3A3;
    g.theme[1] = 0x155048;
    g.missingIcons = { 10 };
    auto& a = g.achievements;
    a.push_back(DemoEntry(5, false, { "Ruby Rush", "Dig up your first ruby." }, { "Rubinrausch", "Grabe deinen ersten Rubin aus." }, {},
                          { "Fiebre de rubíes", "Desentierra tu primer rubí." }));
    a.push_back(DemoEntry(10, false, { "Emerald Eye", "Find 25 emeralds." }, { "Smaragdauge", "Finde 25 Smaragde." }, {},
                          { "Ojo esmeralda", "Encuentra 25 esmeraldas." }));
    a.push_back(DemoEntry(15, false, { "Sapphire Sky", "Fill a cart with sapphires." }, { "Saphirhimmel", "Fülle einen Wagen mit Saphiren." },
                          {}, { "Cielo de zafiro", "Llena una vagoneta de zafiros." }));
    a.push_back(DemoEntry(15, false, { "Deep Digger", "Dig down 500 metres." }, { "Tiefgräber", "Grabe 500 Meter in die Tiefe." }, {},
                          { "Excavador profundo", "Excava 500 metros hacia abajo." }));
    a.push_back(DemoEntry(10, false, { "Lamp Saver", "Finish a shift with oil to spare." },
                          { "Lampensparer", "Beende eine Schicht mit Öl im Vorrat." }, {},
                          { "Ahorralámparas", "Termina un turno con aceite de sobra." }));
    a.push_back(DemoEntry(20, false, { "Cave-in Survivor", "Escape a cave-in." }, { "Einsturzüberlebender", "Entkomme einem Einsturz." }, {},
                          { "Superviviente", "Escapa de un derrumbe." }));
    a.push_back(DemoEntry(25, false, { "Gem Collector", "Own one of every gem." }, { "Edelsteinsammler", "Besitze jeden Edelstein einmal." },
                          {}, { "Coleccionista", "Consigue una gema de cada tipo." }));
    a.push_back(DemoEntry(20, false, { "Rich Miner", "Bank 10000 coins." }, { "Reicher Bergmann", "Lege 10000 Münzen auf die Bank." }, {},
                          { "Minero rico", "Ahorra 10000 monedas." }));
    a.push_back(DemoEntry(30, false, { "Diamond Heart", "Cut a flawless diamond." },
                          { "Diamantherz", "Schleife einen makellosen Diamanten." }, {}, { "Corazón de diamante", "Talla un diamante perfecto." }));
    a.push_back(DemoEntry(10, true, { "Mole Friend", "Share your lunch with the mole." },
                          { "Maulwurfsfreund", "Teile dein Pausenbrot mit dem Maulwurf." }, {},
                          { "Amigo del topo", "Comparte tu almuerzo con el topo." }));
    return g;
}

inline DemoGame SkyPirates()
{
    DemoGame g;
    g.folder = "skypirates";
    g.title = "Sky Pirates";
    g.author = "Cloud Nine";
    g.languages = DemoLanguages({ English, Francais, Espanol });
    g.emblems = "FMSCKTHLXWPZ";
    g.gameEmblem = 'F';
    g.theme[0] = 0x62C6F0;
    g.theme[1] = 0x24679A;
    g.missingIcons = { 29 };
    auto& a = g.achievements;
    for (int island = 1; island <= 12; ++island) {
        a.push_back(DemoEntry(5, false,
                              { DemoFormat("Island %d", island), DemoFormat("Chart island %d of the cloud sea.", island) }, {},
                              { DemoFormat("Île %d", island), DemoFormat("Cartographie l'île %d de la mer de nuages.", island) },
                              { DemoFormat("Isla %d", island), DemoFormat("Traza el mapa de la isla %d del mar de nubes.", island) }));
    }
    const char* ranks[6][3] = { { "Deckhand", "mousse", "grumete" },     { "Gunner", "canonnier", "artillero" },
                                { "Navigator", "navigateur", "navegante" }, { "First Mate", "second", "primer oficial" },
                                { "Captain", "capitaine", "capitán" },     { "Admiral", "amiral", "almirante" } };
    for (int r = 0; r < 6; ++r) {
        std::string fr = ranks[r][1], es = ranks[r][2];
        fr[0] = char(fr[0] - 32);
        es[0] = char(es[0] - 32);
        a.push_back(DemoEntry(10 + 5 * r, false, { ranks[r][0], DemoFormat("Reach the rank of %s.", std::string(ranks[r][0])) }, {},
                              { fr, DemoFormat("Atteins le grade de %s.", std::string(ranks[r][1])) },
                              { es, DemoFormat("Alcanza el rango de %s.", std::string(ranks[r][2])) }));
    }
    a.push_back(DemoEntry(15, false, { "Cannon Ball", "Sink a ship with one shot." }, {},
                          { "Boulet de canon", "Coule un navire d'un seul tir." }, { "Bala de cañón", "Hunde un barco de un solo disparo." }));
    a.push_back(DemoEntry(15, false, { "Cloud Surfer", "Ride a storm front for a minute." }, {},
                          { "Surfeur des nuages", "Chevauche un front orageux pendant une minute." },
                          { "Surfista de nubes", "Cabalga un frente de tormenta durante un minuto." }));
    a.push_back(DemoEntry(10, false, { "Parrot Pal", "Teach your parrot ten words." }, {},
                          { "Ami du perroquet", "Apprends dix mots à ton perroquet." }, { "Amigo del loro", "Enseña diez palabras a tu loro." }));
    a.push_back(DemoEntry(10, false, { "Treasure Map", "Piece together a torn map." }, {},
                          { "Carte au trésor", "Reconstitue une carte déchirée." }, { "Mapa del tesoro", "Reconstruye un mapa roto." }));
    a.push_back(DemoEntry(20, false, { "X Marks the Spot", "Dig up a buried chest." }, {},
                          { "Le X du trésor", "Déterre un coffre enfoui." }, { "La X lo marca", "Desentierra un cofre enterrado." }));
    a.push_back(DemoEntry(15, false, { "Full Sails", "Fly at top speed for a whole voyage." }, {},
                          { "Toutes voiles", "Vole à pleine vitesse tout un voyage." },
                          { "A toda vela", "Vuela a toda velocidad un viaje entero." }));
    a.push_back(DemoEntry(20, false, { "Mutiny Stopper", "Calm a mutiny without a fight." }, {},
                          { "Anti-mutinerie", "Calme une mutinerie sans combat." }, { "Antimotines", "Calma un motín sin pelear." }));
    a.push_back(DemoEntry(25, false, { "Golden Hook", "Buy the golden hook." }, {}, { "Crochet d'or", "Achète le crochet d'or." },
                          { "Garfio de oro", "Compra el garfio de oro." }));
    a.push_back(DemoEntry(40, false, { "Sky Kraken", "Defeat the kraken of the high winds." }, {},
                          { "Kraken céleste", "Terrasse le kraken des grands vents." },
                          { "Kraken celeste", "Derrota al kraken de los vientos altos." }));
    a.push_back(DemoEntry(30, true, { "Ghost Ship", "Board the ship that sails at midnight." }, {},
                          { "Vaisseau fantôme", "Aborde le navire qui vogue à minuit." },
                          { "Barco fantasma", "Aborda el barco que navega a medianoche." }));
    a.push_back(DemoEntry(20, false, { "Rainbow Run", "Sail under every rainbow." }, {},
                          { "Course arc-en-ciel", "Passe sous tous les arcs-en-ciel." },
                          { "Carrera arcoíris", "Navega bajo todos los arcoíris." }));
    a.push_back(DemoEntry(50, true, { "Pirate Legend", "Complete the tale of the Sky Pirates." }, {},
                          { "Légende pirate", "Termine la légende des Pirates du ciel." },
                          { "Leyenda pirata", "Completa la leyenda de los Piratas del cielo." }));
    return g;
}

// A French studio's game: its only text file is the language its vok.lang names.
inline DemoGame PixelChef()
{
    DemoGame g;
    g.folder = "pixelchef";
    g.title = "Pixel Chef";
    g.author = "Atelier Miam";
    g.languages = DemoLanguages({ Francais });
    g.defaultLanguage = -1;
    g.textLanguage = Francais;
    g.emblems = "OHCTLSRM";
    g.gameEmblem = 'H';
    g.theme[0] = 0xEE7B5E;
    g.theme[1] = 0x963522;
    auto& a = g.achievements;
    auto fr = [&a](int points, bool hidden, const char* name, const char* description) {
        a.push_back(DemoEntry(points, hidden, {}, {}, { name, description }));
    };
    fr(5, false, "Premier plat", "Cuisine ton premier plat.");
    fr(20, false, "Chef pâtissier", "Réussis un gâteau à trois étages.");
    fr(15, false, "Service express", "Sers dix clients en deux minutes.");
    fr(30, false, "Toque d'or", "Obtiens trois étoiles dans chaque cuisine.");
    fr(10, false, "Zéro gaspi", "Termine une journée sans rien jeter.");
    fr(10, false, "Main de velours", "Coupe cent légumes sans te blesser.");
    fr(15, false, "Soupe du jour", "Invente une soupe que personne n'a encore goûtée.");
    fr(40, true, "Grand chef", "Ouvre ton propre restaurant étoilé.");
    return g;
}

inline DemoGame FrostFort()
{
    DemoGame g;
    g.folder = "frostfort";
    g.title = "Frost Fort";
    g.author = "Polar Bit";
    g.languages = DemoLanguages({ English, Deutsch, Francais });
    g.emblems = "OSPZHMEKC";
    g.gameEmblem = 'P';
    g.iconSize = 22;
    g.theme[0] = 0xB4E4EE;
    g.theme[1] = 0x4E8AA6;
    auto& a = g.achievements;
    a.push_back(DemoEntry(5, false, { "Snowball", "Throw your first snowball." }, { "Schneeball", "Wirf deinen ersten Schneeball." },
                          { "Boule de neige", "Lance ta première boule de neige." }));
    a.push_back(DemoEntry(15, false, { "Ice Architect", "Build a fort with four towers." }, { "Eisarchitekt", "Baue ein Fort mit vier Türmen." },
                          { "Architecte de glace", "Construis un fort à quatre tours." }));
    a.push_back(DemoEntry(10, false, { "Cold Feet", "Stand on thin ice for a minute." }, { "Kalte Füße", "Steh eine Minute auf dünnem Eis." },
                          { "Pieds gelés", "Reste une minute sur la glace fine." }));
    a.push_back(DemoEntry(25, false, { "Avalanche", "Bury three enemy forts at once." },
                          { "Lawine", "Begrabe drei feindliche Forts auf einmal." },
                          { "Avalanche", "Ensevelis trois forts ennemis d'un coup." }));
    a.push_back(DemoEntry(10, false, { "Hot Cocoa", "Warm up the whole team." }, { "Heiße Schokolade", "Wärme das ganze Team auf." },
                          { "Chocolat chaud", "Réchauffe toute l'équipe." }));
    a.push_back(DemoEntry(10, false, { "Snow Angel", "Make a perfect snow angel." }, { "Schneeengel", "Mach einen perfekten Schneeengel." },
                          { "Ange de neige", "Fais un ange de neige parfait." }));
    a.push_back(DemoEntry(20, false, { "Yeti Spotter", "Take a photo of the yeti." }, { "Yeti-Späher", "Fotografiere den Yeti." },
                          { "Chasseur de yéti", "Prends le yéti en photo." }));
    a.push_back(DemoEntry(25, false, { "Blizzard King", "Win a match during a blizzard." },
                          { "Schneesturmkönig", "Gewinne ein Spiel im Schneesturm." },
                          { "Roi du blizzard", "Gagne une partie en plein blizzard." }));
    a.push_back(DemoEntry(40, true, { "Winter Legend", "Defend the fort for a hundred days." },
                          { "Winterlegende", "Verteidige das Fort hundert Tage lang." },
                          { "Légende de l'hiver", "Défends le fort pendant cent jours." }));
    return g;
}

inline DemoGame RoboRally()
{
    DemoGame g;
    g.folder = "roborally";
    g.title = "Robo Rally";
    g.author = "Gearbox Guild";
    g.languages = DemoLanguages({ English, Deutsch, Espanol });
    g.emblems = "ZCXTLK";
    g.gameEmblem = 'Z';
    g.theme[0] = 0x9AA5BA;
    g.theme[1] = 0x434C60;
    auto& a = g.achievements;
    a.push_back(DemoEntry(5, false, { "Boot Up", "Switch on your robot." }, { "Hochgefahren", "Schalte deinen Roboter ein." }, {},
                          { "Encendido", "Enciende tu robot." }));
    a.push_back(DemoEntry(10, false, { "Gear Head", "Collect 200 gears." }, { "Zahnradfan", "Sammle 200 Zahnräder." }, {},
                          { "Cabeza de engranaje", "Reúne 200 engranajes." }));
    a.push_back(DemoEntry(15, false, { "Laser Dodge", "Cross the laser hall untouched." },
                          { "Laserflucht", "Durchquere die Laserhalle unberührt." }, {},
                          { "Esquiva láser", "Cruza la sala de láseres sin un roce." }));
    a.push_back(DemoEntry(20, false, { "Overclock", "Win a rally with a hot engine." },
                          { "Übertaktet", "Gewinne eine Rallye mit heißem Motor." }, {}, { "Overclock", "Gana un rally con el motor al rojo." }));
    a.push_back(DemoEntry(20, false, { "Rust Free", "Finish a season without repairs." },
                          { "Rostfrei", "Beende eine Saison ohne Reparaturen." }, {},
                          { "Sin óxido", "Termina una temporada sin reparaciones." }));
    a.push_back(DemoEntry(30, false, { "Mega Bot", "Build the biggest robot in town." },
                          { "Megabot", "Baue den größten Roboter der Stadt." }, {},
                          { "Megabot", "Construye el robot más grande de la ciudad." }));
    return g;
}

inline DemoGame HeartQuest()
{
    DemoGame g;
    g.folder = "heartquest";
    g.title = "Heart Quest";
    g.author = "Lumen Tales";
    g.languages = DemoLanguages({ English, Deutsch, Francais, Espanol });
    g.emblems = "HHHHHHEOMR";
    g.gameEmblem = 'H';
    g.theme[0] = 0xF39BBE;
    g.theme[1] = 0x9C4570;
    auto& a = g.achievements;
    for (int piece = 1; piece <= 6; ++piece) {
        a.push_back(DemoEntry(10, false, { DemoFormat("Heart Piece %d", piece), DemoFormat("Find heart piece %d.", piece) },
                              { DemoFormat("Herzteil %d", piece), DemoFormat("Finde Herzteil %d.", piece) },
                              { DemoFormat("Fragment de coeur %d", piece), DemoFormat("Trouve le fragment de coeur %d.", piece) },
                              { DemoFormat("Pieza de corazón %d", piece), DemoFormat("Encuentra la pieza de corazón %d.", piece) }));
    }
    a.push_back(DemoEntry(15, false, { "Kind Soul", "Help every villager once." }, { "Gute Seele", "Hilf jedem Dorfbewohner einmal." },
                          { "Âme charitable", "Aide chaque villageois une fois." }, { "Alma bondadosa", "Ayuda a cada aldeano una vez." }));
    a.push_back(DemoEntry(15, false, { "Lantern Light", "Light the way through the dark wood." },
                          { "Laternenlicht", "Erleuchte den Weg durch den finsteren Wald." },
                          { "Lumière de lanterne", "Éclaire le chemin dans le bois sombre." },
                          { "Luz de linterna", "Ilumina el camino del bosque oscuro." }));
    a.push_back(DemoEntry(20, false, { "Song of Hope", "Play the old song at the well." },
                          { "Lied der Hoffnung", "Spiele das alte Lied am Brunnen." },
                          { "Chant d'espoir", "Joue le vieux chant près du puits." },
                          { "Canción de esperanza", "Toca la vieja canción junto al pozo." }));
    a.push_back(DemoEntry(50, true, { "Whole Heart", "Mend the broken heart of the kingdom." },
                          { "Ganzes Herz", "Heile das gebrochene Herz des Königreichs." },
                          { "Coeur entier", "Répare le coeur brisé du royaume." }, { "Corazón entero", "Repara el corazón roto del reino." }));
    return g;
}

inline std::vector<DemoGame> DemoGames()
{
    return { StarRacer(), DungeonDash(), GemMiner(), SkyPirates(), PixelChef(), FrostFort(), RoboRally(), HeartQuest() };
}

// The players, in the order their folders are made; Anna is the one selected at exit.
inline std::vector<DemoPlayer> DemoPlayers()
{
    std::vector<DemoPlayer> players(4);
    players[0] = { "Anna", English, { "02", "03", "01", "02", "01", "04", "00", "06", "00", "03" }, false,
                   { { "starracer", "11111111111", 340, 0 },
                     { "dungeondash", "*", 720, 12 },
                     { "gemminer", "1101100001", 95, 0 },
                     { "skypirates", "111111100000101101000100000000", 410, 0 },
                     { "pixelchef", "*", 130, 30 },
                     { "frostfort", "11", 20, 0 } } };
    players[1] = { "Jonas", Deutsch, { "01", "05", "02", "03", "02", "02", "02", "03", "01", "05" }, false,
                   { { "starracer", "1111010000", 150, 0 },
                     { "dungeondash", "11111110001100100000000", 260, 0 },
                     { "roborally", "*", 480, 3 },
                     { "heartquest", "111111011", 300, 0 },
                     { "gemminer", "*", 90, 45 } } };
    players[2] = { "Camille", Francais, { "04", "07", "03", "01", "03", "07", "00", "09", "02", "07" }, false,
                   { { "pixelchef", "11101100", 210, 0 },
                     { "skypirates", "*", 900, 1 },
                     { "frostfort", "*", 350, 20 },
                     { "heartquest", "111", 40, 0 },
                     { "starracer", "1", 15, 0 },
                     { "roborally", "110", 25, 0 },
                     { "dungeondash", "1111", 60, 0 },
                     { "gemminer", "1000001", 35, 0 } } };
    players[3] = { "Mateo", Espanol, { "03", "02", "04", "04", "02", "05", "04", "02", "03", "01" }, true,
                   { { "roborally", "111100", 120, 0 },
                     { "starracer", "*", 600, 7 },
                     { "gemminer", "0110111", 80, 0 },
                     { "skypirates", "1111", 45, 0, true } } };
    return players;
}

#endif
