#pragma once

class Body;
class Terrain;

// The chase camera at the given distance behind the followed body, kept out of the ground:
// lifted when the ground under it is too near, then brought in along its line to the body
// when the ground lies across that line; a moved camera turns with that line so the followed
// body stays where the chase view always shows it. Over open ground it is exactly
// chaseCamera (Body.h).
Body chaseView(const Body& followed, double distance, const Terrain& terrain);
