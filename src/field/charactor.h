// The kinds of unit that can stand on the battle map.
#pragma once

// Members 0..4 are the player classes, 5..16 the monster kinds.
enum class ECharactor : int {
  FIGHTER = 0,
  KNIGHT = 1,
  ARCHER = 2,
  SORCERESS = 3,
  PRIESTESS = 4,
  SLIME = 5,
  SLIME_RED = 6,
  SLIME_YELLOW = 7,
  KOBOLD = 8,
  FAIRY = 9,
  SNAKE = 10,
  OGRE = 11,
  SPIRIT_OF_FIRE = 12,
  SPIRIT_OF_WATER = 13,
  SPIRIT_OF_FOREST = 14,
  SPIRIT_OF_RAY = 15,
  DAEMON = 16,
};

// Only the fairy has wings: it crosses water and pays 1 on rough ground.
constexpr bool IsFlyingCharactor(ECharactor charactor) { return charactor == ECharactor::FAIRY; }
