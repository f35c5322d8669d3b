#pragma once

class Body;
class Terrain;

// The chase camera at the given distance behind the followed body, kept out of the ground:
// raised when the ground under it, or across its line to the body, is too near; brought in
// along that line where raising it would take it too high (a cliff). A moved camera turns
// with that line, so the followed body stays where the chase view always shows it. Over open
// ground it is exactly chaseCamera (Body.h); a body buried in rock gets the eye lifted only.
Body chaseView(const Body& followed, double distance, const Terrain& terrain);
