#pragma once

#include "entities/FrameRecord.h"
#include "race/Rescue.h"
#include "race/WrongWay.h"

#include <memory>
#include <vector>

class Body;
class CollisionSet;
class Entity;
class Model;
class Terrain;

// The world of one race: it owns the terrain, the models, every entity, the collision set
// and the camera, and runs the race frame over them.
class Race {
public:
    // Loads the circuit's terrain at the origin (needs OpenGL for its textures).
    Race(const char* heightmapPath, const char* grassPath, const char* skyPrefix, double heightScale,
         double gridSpacing);
    // A race on a terrain made elsewhere, for example one built without OpenGL.
    explicit Race(std::unique_ptr<Terrain> terrain);
    Race(const Race&) = delete;
    Race& operator=(const Race&) = delete;
    ~Race();

    // Both return the new index.
    int addModel(std::unique_ptr<Model> model);
    // Pods (kind below 2) also join the pod list and start their race clock now.
    int addEntity(std::unique_ptr<Entity> entity);

    Entity* entityAt(int i) const;
    int entityCount() const { return static_cast<int>(entities_.size()); }
    Model* modelAt(int i) const;
    int modelCount() const { return static_cast<int>(models_.size()); }
    Terrain* terrain() const { return terrain_.get(); }
    const CollisionSet* collisions() const { return collisions_.get(); }
    // Pods in insertion order until the first ranking, best first afterwards.
    const std::vector<Entity*>& pods() const { return pods_; }
    const Body& camera() const { return *camera_; }
    // What the logic of the latest frame decided: events, each pod's drive, recent impacts.
    const FrameRecord& record() const { return record_; }

    // Builds the collision set from every entity added so far and places the camera.
    void start();

    void setLighting(int on) { lighting_ = on; }
    int lighting() const { return lighting_; }
    // The camera's distance behind the viewed entity in each view (F1, F2, F3); a race starts
    // in the chase view.
    static constexpr double COCKPIT = 0.0;
    static constexpr double CHASE_DISTANCE = 2000.0;
    static constexpr double CLOSE_CHASE_DISTANCE = 1000.0;
    // The entity whose values fill the head-up display, and COCKPIT or the distance of the
    // chase camera behind it.
    void setView(int viewed, double distance);
    int viewedIndex() const { return viewedIndex_; }
    double cameraDistance() const { return cameraDistance_; }

    // The race keys read at the start of every frame: lighting, views, view distance.
    void readKeys();
    // The terrain takes the program-wide view distance: at set-up and after Page Up or Down.
    void applyViewDistance();
    // Pods by progress, best first.
    void rankPods();
    // Each missile aims at the pod ranked just ahead of its owner; the leader's at the last.
    void assignMissileTargets();
    // Ahead of the camera, within the view distance, and not the viewed pod seen from its cockpit.
    bool isDrawn(int i) const;
    // Ranks the pods, then aims each missile from that ranking: the frame's logic just before
    // the picture, whose head-up display shows the ranking.
    void rankAndAim();
    // Camera, entities, terrain, sky and head-up display. It changes nothing of the race but
    // the terrain's drawing scratch (which triangles it sends), so it is not const.
    void drawWorld();
    // Steps of drawWorld, public so that their cost can be measured on their own.
    // The viewing transform from the camera; only the cockpit view takes its tilt.
    void applyView() const;
    // The entities in view, lit when lighting is on.
    void drawEntities() const;
    // A brief burst where a missile struck a pod, from the record's impacts.
    void drawImpacts() const;
    // Begins the frame's record, then every entity's update.
    void think();
    void collide();
    void moveBodies();
    // '+' moves the camera to the next entity, Home back to the player's pod (Home wins when
    // both are held); the camera then copies that entity's body, set back behind it for the
    // chase views.
    void updateCamera();

    // After the bodies move: is the viewed pod going the wrong way round, or off the road,
    // and held there? The head-up display only reads the answers.
    void watchHeading();
    bool wrongWay() const { return wrongWay_.shown(); }
    // The arrow to the next checkpoint is shown off the road or the wrong way round; its turn
    // from where the pod faces (WayBack.h).
    bool wayBackShown() const { return offRoad_ || wrongWay(); }
    double wayBackAngle() const { return wayBackAngle_; }
    // The rescue key named on the screen, once a race, for a pod held off the road.
    bool rescueHintShown() const { return rescueHint_.shown(); }

    // Backspace puts the player's pod back on the road at the checkpoint it passed last, at
    // rest, while the screen fades to black and back (Rescue.h).
    void rescuePlayer();
    double rescueDarkness() const;
    // The camera follows another entity than the one the head-up display shows.
    bool cameraFollowsAnother() const;

    // One race frame of the race scene, all but the Escape key; without drawing for headless
    // runs, which then run the very same race.
    void runFrame(bool draw = true);

private:
    void placeCamera();

    std::vector<std::unique_ptr<Entity>> entities_;
    std::vector<Entity*> pods_;
    std::unique_ptr<Terrain> terrain_;
    std::unique_ptr<Body> camera_;
    std::vector<std::unique_ptr<Model>> models_;
    std::unique_ptr<CollisionSet> collisions_;
    int lighting_ = 1;
    int viewedIndex_ = 0;
    double cameraDistance_ = 0.0;
    WrongWayWatch wrongWay_;
    bool offRoad_ = false;
    double wayBackAngle_ = 0.0;
    RescueHint rescueHint_;
    Rescue rescue_;
    FrameRecord record_;
};

// Program-wide values that outlive a race.
// The entity the camera follows; '+' moves it and a new race keeps it (brought into range).
unsigned int cameraIndex();
void setCameraIndex(unsigned int index);
// The terrain's fog end and entity draw range; Page Up and Page Down move it without bound.
int viewDistance();
void setViewDistance(int distance);
constexpr int START_VIEW_DISTANCE = 70000;

// The race being run, if any.
Race* currentRace();
void setCurrentRace(std::unique_ptr<Race> race);
void destroyCurrentRace();
