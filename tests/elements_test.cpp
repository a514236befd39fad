// The element model: units, pictures and sizes, printing and erasing.
#include <gtest/gtest.h>

#include "elements/units.h"
#include "form/pictures.h"
#include "test_support.h"

namespace kx {
namespace {

TEST(WindowUnits, AUnitDownIs22Over21Pixel) {
    EXPECT_EQ(unit_to_row(0), 0);
    EXPECT_EQ(unit_to_row(100), 105);  // 104.76
    EXPECT_EQ(unit_to_row(262), 274);  // 274.48: the ground's top row
    EXPECT_EQ(unit_to_row(273), 286);  // the bottom of the view
    EXPECT_EQ(unit_to_row(-7.64), -8);
    EXPECT_EQ(unit_to_column(205), 205);
    EXPECT_NEAR(rows_to_units(32), 30.55, 0.005);
}

TEST(ImageSprite, TakesThePictureAndSizeOfAnotherSprite) {
    test::TestGame tg;
    ImageSprite sprite(0, 0, true, nullptr);
    sprite.take_picture(tg.f.kippura);
    ASSERT_NE(sprite.picture(), nullptr);
    EXPECT_EQ(sprite.picture()->name, "chick");
    EXPECT_EQ(sprite.picture()->width, 32);
    EXPECT_EQ(sprite.picture()->height, 32);
    sprite.take_picture(tg.f.tsh[3]);
    EXPECT_EQ(sprite.picture()->name, "enemy3");
    EXPECT_EQ(sprite.picture()->height, 32);
}

TEST(BoxSprite, SettingTheBackgroundErasesEveryPrintEvenWhenPersistent) {
    BoxSprite box(0, 0, 100, 100, Rgb{0, 0, 0}, nullptr, FontSpec{}, Rgb{255, 255, 0});
    box.set_persistent(true);
    box.set_text_position(5, 6);
    box.print("one");
    box.print("two");
    ASSERT_EQ(box.prints().size(), 2u);
    EXPECT_EQ(box.prints()[0].x, 5);
    EXPECT_EQ(box.prints()[0].y, 6);
    EXPECT_GT(box.prints()[1].y, 6);  // the second print starts a line lower
    EXPECT_EQ(box.prints()[1].x, 0);
    box.set_background(Rgb{255, 255, 255});
    EXPECT_TRUE(box.prints().empty());
}

TEST(BoxSprite, FontSettingsAffectOnlyLaterPrints) {
    BoxSprite box(0, 0, 100, 100, Rgb{0, 0, 0}, nullptr, FontSpec{FontFace::Gothic, 48}, Rgb{1, 2, 3});
    box.print("a");
    box.set_font_size(15);
    box.set_bold(true);
    box.set_text_colour(Rgb{9, 9, 9});
    box.print("b");
    EXPECT_EQ(box.prints()[0].font.points, 48);
    EXPECT_FALSE(box.prints()[0].font.bold);
    EXPECT_EQ(box.prints()[0].colour, (Rgb{1, 2, 3}));
    EXPECT_EQ(box.prints()[1].font.points, 15);
    EXPECT_TRUE(box.prints()[1].font.bold);
}

TEST(WindowSurface, ReprintingALineReplacesItInsteadOfPilingUp) {
    test::TestGame tg;
    for (int n = 0; n < 1000; ++n) tg.tick();
    EXPECT_EQ(tg.f.prints().size(), 1u);
    EXPECT_EQ(tg.f.prints()[0].text, "SCORE 0");
    tg.f.set_background(Rgb{0, 0, 0});
    EXPECT_TRUE(tg.f.prints().empty());
}

TEST(Form1, StartsWithTheElementTable) {
    test::TestGame tg;  // the reset has run; untouched elements keep their start places
    EXPECT_EQ(tg.f.caption(), "きっぷら-Ｘ ver1.20");
    EXPECT_EQ(tg.f.Label1.y(), 400);
    EXPECT_EQ(tg.f.Label2.text(), "Label2");
    EXPECT_FALSE(tg.f.kippura.shown());
    EXPECT_FALSE(tg.f.bossi[2].shown());
    EXPECT_EQ(tg.f.bossi[1].x(), 200);
    EXPECT_EQ(tg.f.tsh[4].y(), 381.82);
    EXPECT_EQ(tg.f.layer2_top_first().size(), 25u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(tg.f.bossi[std::size_t(k)].picture()->name, "boss" + std::to_string(k));
        EXPECT_EQ(tg.f.tsh[std::size_t(k)].picture()->name, "enemy" + std::to_string(k));
    }
}

}  // namespace
}  // namespace kx
