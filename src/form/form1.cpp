// The element table: every element's start-up place, size, picture and stacking position.
#include "form/form1.h"

#include "elements/units.h"
#include "form/parking.h"
#include "form/pictures.h"

namespace kx {
namespace {

constexpr Rgb kCyan{0, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kYellow{255, 255, 0};

const Picture* pic(const char* name) { return &game_picture(name); }

}  // namespace

Form1::Form1(TextRasterizer* metrics)
    : WindowSurface("きっぷら-Ｘ ver1.20", kCyan, FontSpec{FontFace::Interface, 9, false, false}),
      laser(0, -7.64, 393, 297 / kRowsPerUnit, kBlack, nullptr, FontSpec{FontFace::Gothic, 48, false, false}, kYellow),
      boss(216, 290.18, 150, 150 / kRowsPerUnit, kWhite, pic("boss0"), FontSpec{FontFace::Interface, 9}, kBlack),
      Label2(0, 400, "Label2"),
      Label1(0, 400, "Label1"),
      fire(0, kExplosionParkedY, true, pic("explosion")),
      jiki(-35, 0, true, nullptr),
      bossi{ImageSprite(184, 297.82, false, pic("boss0")), ImageSprite(200, 297.82, false, pic("boss1")),
            ImageSprite(176, 305.45, false, pic("boss2")), ImageSprite(184, 320.73, false, pic("boss3")),
            ImageSprite(176, 297.82, false, pic("boss4"))},
      ahiru{ImageSprite(88, 381.82, true, nullptr), ImageSprite(136, 381.82, true, nullptr),
            ImageSprite(136, 336, true, nullptr)},
      tsh{ImageSprite(8, 343.64, false, pic("enemy0")), ImageSprite(48, 343.64, false, pic("enemy1")),
          ImageSprite(88, 297.82, false, pic("enemy2")), ImageSprite(88, 336, false, pic("enemy3")),
          ImageSprite(8, 381.82, false, pic("enemy4"))},
      jimen(-30, 250.09, true, pic("ground")),
      kippura(8, 274.91, false, pic("chick")),
      niwatori(8, 313.09, false, pic("hen")),
      power(136, 297.82, true, pic("powerup")),
      tela{ImageSprite(112, 282.55, true, pic("bullet")), ImageSprite(80, 282.55, true, pic("bullet")),
           ImageSprite(96, 282.55, true, pic("bullet"))},
      kumo(136, 282.55, true, pic("cloud")) {
    use_metrics(metrics);
    laser.use_metrics(metrics);
    boss.use_metrics(metrics);
    layer2_ = {&Label2,   &Label1,   &fire,   &jiki,    &bossi[0], &bossi[4], &bossi[3], &bossi[2], &bossi[1],
               &ahiru[0], &tsh[4],   &tsh[3], &tsh[2],  &tsh[1],   &tsh[0],   &jimen,    &kippura,  &niwatori,
               &ahiru[2], &ahiru[1], &power,  &tela[0], &tela[2],  &tela[1],  &kumo};
}

Form1::Form1(const Form1& other) : Form1(nullptr) { *this = other; }

Form1& Form1::operator=(const Form1& other) {
    WindowSurface::operator=(other);
    laser = other.laser;
    Timer3 = other.Timer3;
    Timer2 = other.Timer2;
    boss = other.boss;
    Timer1 = other.Timer1;
    Label2 = other.Label2;
    Label1 = other.Label1;
    fire = other.fire;
    jiki = other.jiki;
    bossi = other.bossi;
    ahiru = other.ahiru;
    tsh = other.tsh;
    jimen = other.jimen;
    kippura = other.kippura;
    niwatori = other.niwatori;
    power = other.power;
    tela = other.tela;
    kumo = other.kumo;
    return *this;
}

}  // namespace kx
