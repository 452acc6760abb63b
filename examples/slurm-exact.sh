#!/bin/sh
# One exhaustive enumeration cut into the tasks of a Slurm job array: each task runs one shard of
# the enumeration's blocks into its own result file; merge the files when every task has ended.
#
#   sbatch examples/slurm-exact.sh                         # 8 tasks, a 15-node random network
#   PROBLEM="--matrix $HOME/net16.txt" sbatch --array=0-63 examples/slurm-exact.sh
#   quira-cli merge exact-part-*.jsonl                     # afterwards: what the single run prints
#
# The shard comes from the array variables (SLURM_ARRAY_TASK_ID, _MIN, _MAX, _COUNT), so the array
# may have any size. --resume makes a task that was stopped (its time limit: Slurm sends SIGTERM,
# and the shard keeps every finished block) or requeued continue from its file.
#
# Settings, from the environment (sbatch passes it on):
#   QUIRA_CLI  the program (default: quira-cli from PATH)
#   PROBLEM    the problem's input options (default: --random --nodes 15 --seed 1)
#   OUT        the folder of the result files (default: the folder sbatch was called from)
#   SHARDS     the number of shards, when the array does not hold all of them: task i runs shard
#              i+1 of SHARDS, so `SHARDS=8 sbatch --array=3,5 ...` runs shards 4/8 and 6/8 again
#
#SBATCH --job-name=quira-exact
#SBATCH --array=0-7
#SBATCH --ntasks=1
#SBATCH --cpus-per-task=1
#SBATCH --time=01:00:00
#SBATCH --output=quira-exact-%a.log

QUIRA_CLI=${QUIRA_CLI:-quira-cli}
PROBLEM=${PROBLEM:---random --nodes 15 --seed 1}
OUT=${OUT:-${SLURM_SUBMIT_DIR:-.}}
mkdir -p "$OUT"

SHARD=
[ -n "${SHARDS:-}" ] && SHARD="--shard $((SLURM_ARRAY_TASK_ID + 1))/$SHARDS"

# shellcheck disable=SC2086  # PROBLEM and SHARD are lists of options
exec "$QUIRA_CLI" solve $PROBLEM --method exact --threads "${SLURM_CPUS_PER_TASK:-1}" $SHARD \
    --resume "$OUT/exact-part-${SLURM_ARRAY_TASK_ID}.jsonl"
