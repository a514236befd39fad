// Where things out of play wait: they are moved out of view rather than removed.
#pragma once

namespace kx {

constexpr int kShotParkedX = 500;     // the shot waiting for Z; any laserx above 400 means no shot
constexpr int kPowerUpParkedX = -50;  // the power-up between its appearances
constexpr int kExplosionParkedY = 300;
constexpr int kBulletParkedX = 300, kBulletParkedY = 500;  // a reset bullet, below the view

}  // namespace kx
